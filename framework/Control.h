// The base of every control: bounds, visibility, font and colour, the mouse
// and click rules, and the framework notifications (virtual calls, delivered by
// the application and the parent form exactly when the system's rules say).
//
// A Control by itself is windowless: it has no window, is painted by its parent
// during the parent's paint, in creation order, and receives the presses that
// the parent routes to it by position.
#pragma once

#include "Accessibility.h"
#include "Canvas.h"
#include "Font.h"
#include "Types.h"

#include <string>

namespace fw {

class WinControl;
class Form;

class Control {
public:
    explicit Control(Control* owner);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    Control* Owner() const noexcept { return owner_; }
    // Only windowed controls hold children, so a parent is always one.
    WinControl* Parent() const noexcept { return parent_ ? parent_->AsWinControl() : nullptr; }
    // The nearest form up the parent chain, this control itself if it is one.
    virtual Form* ParentForm() const noexcept { return parent_ ? parent_->ParentForm() : nullptr; }
    // The windowed control this is, or null for a windowless one.
    virtual WinControl* AsWinControl() noexcept { return nullptr; }
    virtual const WinControl* AsWinControl() const noexcept { return nullptr; }
    bool IsWindowed() const noexcept { return AsWinControl() != nullptr; }

    const std::wstring& Name() const noexcept { return name_; }
    void SetName(const std::wstring& name) { name_ = name; }

    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const noexcept { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const noexcept { return {0, 0, width_, height_}; }

    bool Visible() const noexcept { return visible_; }
    virtual void SetVisible(bool v);
    bool Enabled() const noexcept { return enabled_; }
    virtual void SetEnabled(bool e);

    CursorId Cursor() const noexcept { return cursor_; }
    void SetCursor(CursorId c) noexcept { cursor_ = c; }

    const Font& GetFont() const noexcept { return font_; }
    void SetFont(const Font& f);
    bool ParentFont() const noexcept { return parentFont_; }
    void SetParentFont(bool p);
    Color GetColor() const noexcept { return color_; }
    void SetColor(Color c);
    bool ParentColor() const noexcept { return parentColor_; }
    void SetParentColor(bool p);

    // The control's text: the caption of labels and buttons, a form's window text.
    const std::wstring& Text() const noexcept { return text_; }
    virtual void SetText(const std::wstring& text);

    // Marks the control's area for painting; Repaint also paints it before returning.
    virtual void Invalidate();
    virtual void Repaint();
    // Windowless drawing, with the control's top-left corner as origin.
    virtual void Paint(Canvas&) {}
    // Windowless message handling (e.g. WM_ERASEBKGND sent to the control).
    virtual LRESULT Perform(UINT msg, WPARAM wp, LPARAM lp);

    // Framework notifications.
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void CancelMode() {}
    virtual bool DialogKey(WORD key, ShiftState shift);
    virtual bool DialogChar(wchar_t ch);
    virtual void FocusChanged(Control* focused);
    virtual void FontChanged() {}
    virtual void TextChanged() {}
    virtual void EnabledChanged() {}
    // The form began or stopped showing focus cues (FocusCuesShown).
    virtual void UIStateChanged() {}

    // Whether focus cues show now: the form's keyboard state, asked up the chain.
    virtual bool FocusCuesShown() const noexcept { return parent_ ? parent_->FocusCuesShown() : true; }
    // A windowless control that takes the keyboard focus through a stand-in
    // window (FocusProxy) shows its focus cue while this is set.
    bool FocusCue() const noexcept { return focusCue_; }
    void SetFocusCue(bool shown);

    // What assistive technology is told (Accessibility.h). A windowless control
    // is reported by its window only when it has a role.
    AccRole AccessibleRole() const noexcept { return accRole_; }
    void SetAccessibleRole(AccRole role) noexcept { accRole_ = role; }
    // The name given, else the control's text.
    virtual std::wstring AccessibleName() const;
    void SetAccessibleName(std::wstring name) { accName_ = std::move(name); }
    virtual std::wstring AccessibleDescription() const { return accDescription_; }
    void SetAccessibleDescription(std::wstring description) { accDescription_ = std::move(description); }
    // Worked out when asked (a link's address); empty when the control has none.
    virtual std::wstring AccessibleValue() const { return accValue_ ? accValue_() : std::wstring(); }
    void SetAccessibleValue(std::function<std::wstring()> value) { accValue_ = std::move(value); }
    // Unavailable and invisible from the control; a link is linked, a text read-only.
    virtual AccStates AccessibleStates() const noexcept;
    // "Press" for a push button, "Open" for a menu button, "Jump" for a link; empty: none.
    std::wstring AccessibleDefaultAction() const;
    // What the default action does: what the user's click does.
    virtual void AccessibleDoDefaultAction() { Click(); }
    // The control's rectangle on the screen.
    virtual RECT AccessibleBounds() const noexcept;

    // Mouse and click, in client coordinates. The defaults fire the events.
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void Click();

    // A press on a control that captures the mouse keeps the capture until the release.
    bool CapturesMouse() const noexcept { return capturesMouse_; }
    void SetCapturesMouse(bool c) noexcept { capturesMouse_ = c; }

    NotifyEvent OnClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;

    // Message-level mouse handling shared by windowed and windowless controls;
    // called by the window that received the message, with local coordinates.
    void HandleMouseMessage(UINT msg, WPARAM wp, int x, int y);
    // A windowless control that took its parent window's capture at a left press
    // keeps it until the release; the parent routes the mouse to it meanwhile.
    bool HoldsParentCapture() const noexcept { return holdsParentCapture_; }
    // The window's capture went elsewhere: no click can end the press now.
    void CaptureLost() noexcept;

    // Told by the parent that takes ownership of this control.
    virtual void SetParent(Control* parent);
    void ParentFontChanged(const Font& f);
    void ParentColorChanged(Color c);

    // Calls that go up the parent chain to the form, which keeps the focus and
    // must forget a destroyed control; controls between pass them on.
    virtual void ChildDestroying(Control& child) noexcept;
    virtual void ControlFocused(WinControl& control);
    // A form that is not active keeps the focus request for its activation
    // and answers true; otherwise the control takes the focus at once.
    virtual bool DeferFocus(WinControl& control);
    // Before a left press is handled, each active form up the chain hands
    // cancel mode to its focused control.
    virtual void LeftPressStarting();

protected:
    // The window that shows this control and takes the capture for it: its
    // own, or the parent's for a windowless control.
    virtual HWND HostWindow() const noexcept;
    // Windowed controls hand font and colour changes on to their children.
    virtual void ChildrenFontChanged() {}
    virtual void ChildrenColorChanged() {}

    // The stored state alone, for windowed controls that apply it to their window themselves.
    void StoreBounds(int left, int top, int width, int height) noexcept;
    void SetVisibleFlag(bool v) noexcept { visible_ = v; }
    void SetEnabledFlag(bool e) noexcept { enabled_ = e; }
    void StoreText(const std::wstring& text) { text_ = text; }

    bool clicked_ = false; // a left press started on the control (the click rule)

private:
    Control* owner_;
    Control* parent_ = nullptr;
    std::wstring name_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    CursorId cursor_ = crDefault;
    Font font_;
    bool parentFont_ = true;
    Color color_ = clBtnFace;
    bool parentColor_ = false;
    std::wstring text_;
    bool capturesMouse_ = true;
    bool holdsParentCapture_ = false;
    bool focusCue_ = false;
    AccRole accRole_ = AccRole::None;
    std::wstring accName_;
    std::wstring accDescription_;
    std::function<std::wstring()> accValue_;
};

} // namespace fw
