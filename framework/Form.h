// A top-level window: border style, client size, modal showing and result,
// the focused control, and the form-level keyboard rules (Tab and arrows move
// the focus; other dialog keys and characters are offered to every control).
#pragma once

#include "Menu.h"
#include "WinControl.h"

#include <memory>
#include <vector>

namespace fw {

enum class BorderStyle { None, Single, Sizeable, Dialog };

// What the arrow keys do: move along the tab order, or by the rows that the
// controls' places make (core/FocusRows.h).
enum class ArrowKeys { TabOrder, Rows };

struct BorderIcons {
    bool systemMenu = true;
    bool minimize = true;
    bool maximize = true;
};

class Form : public WinControl {
public:
    // owner: the form that owns this one's window, or null for the application window.
    explicit Form(Control* owner = nullptr);
    ~Form() override;
    Form* ParentForm() const noexcept override { return const_cast<Form*>(this); }

    BorderStyle GetBorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(BorderStyle s);
    const BorderIcons& GetBorderIcons() const noexcept { return borderIcons_; }
    void SetBorderIcons(const BorderIcons& icons);

    int ClientWidth() const noexcept;
    int ClientHeight() const noexcept;
    void SetClientWidth(int w);
    void SetClientHeight(int h);
    RECT ClientRect() const noexcept override;

    const std::wstring& Caption() const noexcept { return Text(); }
    void SetCaption(const std::wstring& c) { SetText(c); }
    void SetIcon(HICON big, HICON small) noexcept;

    int ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(int r) noexcept { modalResult_ = r; }
    bool Modal() const noexcept { return modal_; }
    // Disables the program's other windows, shows the form and runs messages
    // until its modal result is not 0; returns that result.
    int ShowModal();
    void Show();
    void Hide();
    void SetVisible(bool v) override;
    // Modal: result Cancel. The main form: ends the program. Otherwise: hides.
    void Close();
    bool Active() const noexcept { return active_; }

    WinControl* FocusedControl() const noexcept { return focused_; }
    // Records the focused control and tells every control of the form.
    void SetFocusedControl(WinControl* c);
    // The focused control was reached by Tab or an arrow key, not by the mouse.
    bool FocusFromKeyboard() const noexcept { return focusFromKeyboard_; }
    ArrowKeys GetArrowKeys() const noexcept { return arrowKeys_; }
    void SetArrowKeys(ArrowKeys a) noexcept { arrowKeys_ = a; }

    // Focus cues follow the system's convention (UISF_HIDEFOCUS): hidden when
    // the form first shows after input from the mouse, shown from the first
    // keyboard navigation on, and always shown when the system's setting asks
    // for them. The form keeps the state for all its windows.
    bool FocusCuesShown() const noexcept override;
    // Keyboard navigation: the focus cues show from now on.
    void ShowFocusCues();
    void SelectFirst();
    // Cancel mode to the focused control when the form is active.
    void SendCancelMode();

    // The dots per inch the form is laid out for: the system's until the form says
    // otherwise, and then its monitor's (WM_DPICHANGED).
    int Dpi() const noexcept { return dpi_; }

    // A popup menu owned by the form; the form runs the entry chosen in it.
    PopupMenu& CreatePopupMenu(std::wstring name);

    bool DialogKey(WORD key, ShiftState shift) override;
    void ChildDestroying(Control& child) noexcept override;
    void ControlFocused(WinControl& control) override;
    bool DeferFocus(WinControl& control) override;
    void LeftPressStarting() override;

    NotifyEvent OnCreate;

protected:
    void CreateParamsFor(CreateParams& p) override;
    void CreateWnd() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    DWORD StyleBits() const noexcept;
    DWORD ExStyleBits() const noexcept;
    // Records the scale the form is laid out for; the frame metrics follow it.
    void SetDpi(int dpi) noexcept { dpi_ = dpi; }
    // The window moved to a monitor of another scale (WM_DPICHANGED): the form lays
    // itself out anew for dpi and takes its place in suggested (screen coordinates).
    // The default only records the scale and takes the suggested rectangle.
    virtual void DpiChanged(int dpi, const RECT& suggested);
    // Asked before such a move (WM_GETDPISCALEDSIZE): true with the window size the
    // form will have at dpi, when it is not the current one scaled in proportion.
    virtual bool ScaledWindowSize(int dpi, SIZE& size);

private:
    void ApplyStyle();
    void ActivateFocus();
    // Moves the focus from the focused control by an arrow key.
    void MoveFocusByArrow(WORD key);
    // Handles WM_CHANGEUISTATE and WM_UPDATEUISTATE for the whole form.
    LRESULT ChangeUIState(WORD action, WORD flags);
    LRESULT UpdateUIState(WPARAM wp, LPARAM lp);
    SIZE FrameSize() const noexcept; // outer minus client size
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    BorderIcons borderIcons_;
    int dpi_;
    int modalResult_ = 0;
    bool modal_ = false;
    bool active_ = false;
    WinControl* focused_ = nullptr;
    bool navigating_ = false; // a Tab or arrow key is moving the focus
    bool focusFromKeyboard_ = false;
    ArrowKeys arrowKeys_ = ArrowKeys::TabOrder;
    WORD uiState_ = 0; // UISF_* flags
    bool uiStateInitialized_ = false;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    std::vector<std::unique_ptr<PopupMenu>> menus_;
};

} // namespace fw
