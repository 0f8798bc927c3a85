// A control with a window of its own. One static window procedure finds the
// object (stored at WM_NCCREATE, or when a system window is subclassed) and
// calls the virtual WndProc; exceptions stop at that boundary and go to the
// application's handler.
//
// A WinControl owns its child controls, windowed and windowless, in creation
// order; it paints the windowless ones during its own paint and routes mouse
// presses to the topmost visible, enabled windowless control under the point.
#pragma once

#include "Control.h"
#include "Handles.h"
#include "PaintBuffer.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct IAccessible;

namespace fw {

class AccessibleObject;

struct CreateParams {
    std::wstring className;               // our own class, registered on first use
    const wchar_t* systemClass = nullptr; // or a system class (e.g. WC_BUTTONW), subclassed after creation
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    UINT classStyle = 0;
    HCURSOR classCursor = nullptr; // null: the arrow
    std::wstring caption;
};

class WinControl : public Control {
public:
    explicit WinControl(Control* owner);
    ~WinControl() override;
    WinControl* AsWinControl() noexcept override { return this; }
    const WinControl* AsWinControl() const noexcept override { return this; }

    // The window, created on first use (with the parent's window first).
    HWND Handle();
    HWND HandleIfAllocated() const noexcept { return wnd_.get(); }
    bool HandleAllocated() const noexcept { return static_cast<bool>(wnd_); }
    void DestroyHandle() noexcept;
    static WinControl* FromHandle(HWND wnd) noexcept;

    // Constructs a child with this control as owner and parent, and keeps it.
    template <typename T, typename... Args> T& Create(Args&&... args) {
        auto child = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& ref = *child;
        InsertControl(std::move(child));
        return ref;
    }
    void InsertControl(std::unique_ptr<Control> child);
    const std::vector<std::unique_ptr<Control>>& Controls() const noexcept { return controls_; }
    // Depth-first over all descendants, in creation order.
    template <typename F> void ForEachDescendant(F&& f) const {
        for (const auto& c : controls_) {
            f(*c);
            if (const WinControl* w = c->AsWinControl())
                w->ForEachDescendant(f);
        }
    }

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const noexcept override;
    void SetVisible(bool v) override;
    void SetEnabled(bool e) override;
    void SetText(const std::wstring& text) override;
    void Invalidate() override;
    void Repaint() override;

    int TabOrder() const noexcept { return tabOrder_; }
    void SetTabOrder(int order);
    bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool t) noexcept { tabStop_ = t; }
    bool Focused() const noexcept;
    // On a form, and it and every parent up to the form visible and enabled.
    bool CanFocus() const noexcept;
    void SetFocus();
    // Windowed children ordered by tab order; TabOrderList flattens all descendants.
    std::vector<WinControl*> TabList() const;
    void TabOrderList(std::vector<WinControl*>& out) const;
    WinControl* FindNextControl(WinControl* current, bool forward, bool checkTabStop, bool checkParent) const;
    // Focuses the next (or previous) control in tab order after current.
    void SelectNext(WinControl* current, bool forward, bool checkTabStop);
    // The windowless child that holds this window's mouse capture, if any.
    Control* CapturedChild() const noexcept;

    // The topmost visible, enabled windowless child whose bounds hold the point.
    Control* ControlAtPos(POINT client) const noexcept;
    // Paints the windowless children in creation order onto dc (client coordinates).
    void PaintControls(HDC dc, const RECT* clip);

    bool DialogKey(WORD key, ShiftState shift) override;
    bool DialogChar(wchar_t ch) override;
    void FocusChanged(Control* focused) override;
    void UIStateChanged() override;

    // Focusable and focused from the window, besides the control's own states.
    AccStates AccessibleStates() const noexcept override;
    RECT AccessibleBounds() const noexcept override;
    // A system window of ours that its class's own procedure serves.
    bool SubclassesSystemClass() const noexcept { return systemProc_ != nullptr; }

    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    KeyPressEvent OnKeyPress;

    // Entry from the static window procedure; calls WndProc inside a catch.
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept;

protected:
    virtual void CreateParamsFor(CreateParams& p);
    // Runs once the window exists, before children are created.
    virtual void CreateWnd() {}
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    // A report of this (system) control to its parent: WM_COMMAND, WM_NOTIFY or
    // WM_CTLCOLOR*; returns true with the result when the control handled it.
    virtual bool Reflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    LRESULT DefWndProc(UINT msg, WPARAM wp, LPARAM lp) noexcept;
    // Background and face of the window itself, into the paint's buffer.
    virtual void EraseBackground(Canvas& canvas);
    virtual void PaintWindow(Canvas&) {}
    // The whole paint into an explicit DC: background, face, windowless children.
    void PaintTo(HDC dc, const RECT& clip);

    virtual void KeyDown(WORD& key, ShiftState shift);
    virtual void KeyUp(WORD& key, ShiftState shift);
    virtual void KeyPress(wchar_t& key);

    HWND HostWindow() const noexcept override { return wnd_.get(); }
    void ChildrenFontChanged() override;
    void ChildrenColorChanged() override;
    // Keeps the stored bounds in step with the window after the system moved or sized it.
    void UpdateBoundsFromWindow();
    // Destroys the children, newest first.
    void DestroyChildren() noexcept;
    // The buffer of this window's own paints, for controls that paint themselves.
    PaintBuffer& Buffer() noexcept { return buffer_; }

private:
    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    bool RouteMouseToChild(UINT msg, WPARAM wp, LPARAM lp);
    WinControl* ReflectionTarget(UINT msg, LPARAM lp) const noexcept;
    void CreateChildHandles();

    friend IAccessible* AccessibleObjectOf(WinControl& control);

    UniqueWindow wnd_;
    AccessibleObject* accessible_ = nullptr; // one reference, given up when the window goes
    WNDPROC systemProc_ = nullptr;           // the system class's procedure, when subclassed
    std::vector<std::unique_ptr<Control>> controls_;
    PaintBuffer buffer_;
    int tabOrder_ = -1;
    bool tabStop_ = false;
    bool inBeginPaint_ = false;
    bool trackingLeave_ = false;
};

} // namespace fw
