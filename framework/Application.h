// The application object: title and the top-level window that carries the
// taskbar button and owns the main form, the cursor table and the cursor
// override, the message loop with idle processing, minimise and restore, and
// the one exception handler. There is exactly one, on the UI thread.
//
// Windows and forms call on it for its services (the exception handler, the
// cursors, the owner window, the loop), so this header knows them only by name.
#pragma once

#include "Handles.h"
#include "Types.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Control;
class Form;

class Application {
public:
    static Application& Instance();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // COM for the UI thread (single-threaded apartment).
    void Initialize();

    const std::wstring& Title() const noexcept { return title_; }
    void SetTitle(const std::wstring& title);
    // The application's own top-level window, created on first use.
    HWND Handle();
    static constexpr const wchar_t* kWindowClass = L"OrvalisApplication";
    // Sent to that window by a second start of the program: show yourself.
    static UINT ShowMessage() noexcept;

    HCURSOR GetCursor(CursorId id) const noexcept;
    void SetCursorEntry(CursorId id, HCURSOR cursor) noexcept;
    // The application-wide cursor override; crDefault clears it and lets the
    // window under the mouse choose its cursor again at once.
    CursorId ScreenCursor() const noexcept { return screenCursor_; }
    void SetScreenCursor(CursorId id);

    // Takes ownership of a form; the first one becomes the main form.
    template <typename T, typename... Args> T& CreateForm(Args&&... args) {
        auto f = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *f;
        AddForm(std::move(f));
        return ref;
    }
    void AddForm(std::unique_ptr<Form> form);
    Form* MainForm() const noexcept { return mainForm_; }
    // Destroys all forms the application owns (shutdown).
    void DestroyForms() noexcept;

    // Shows the main form and runs the loop until it closes.
    void Run();
    // Handles one message, or runs idle work and waits when there is none.
    void HandleMessage();
    // Handles every pending message, then idle work, without waiting.
    void ProcessMessages();
    void Terminate() noexcept;
    bool Terminated() const noexcept { return terminated_; }

    void Minimize();
    void Restore();
    // Restores the application if it is minimised, and brings its active
    // window (the dialog while one is open) to the front.
    void BringToFront();

    // Mouse enter and leave, found when the queue has run empty.
    void Idle();
    Control* MouseControl() const noexcept { return mouseControl_; }
    void ControlDestroying(Control* c) noexcept;

    // The one handler: call from a catch block. Shows the message in an error
    // box unless OnException is set.
    void HandleException() noexcept;
    std::function<void(const std::wstring& message)> OnException;

    // Offered every message before dispatch: dialog keys and characters.
    bool PreTranslate(MSG& msg);
    // Whether the user's last key or mouse press came from the keyboard.
    bool LastInputFromKeyboard() const noexcept { return lastInputKeyboard_; }

private:
    Application();
    ~Application();
    bool ProcessOne();
    static LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    LRESULT AppWindowMessage(UINT msg, WPARAM wp, LPARAM lp);
    Control* FindControlAt(POINT screen) const noexcept;
    void ActivateLastPopup();

    HINSTANCE instance_;
    std::wstring title_;
    UniqueWindow wnd_;
    std::map<CursorId, HCURSOR> cursors_;
    CursorId screenCursor_ = crDefault;
    std::vector<std::unique_ptr<Form>> forms_;
    Form* mainForm_ = nullptr;
    Control* mouseControl_ = nullptr;
    std::vector<HWND> hiddenByMinimize_;
    bool terminated_ = false;
    bool comInitialized_ = false;
    bool lastInputKeyboard_ = false;
};

} // namespace fw
