#include "Control.h"

#include <utility>

namespace fw {

Control::Control(Control* owner) : owner_(owner) {}

Control::~Control() {
    if (parent_)
        parent_->ChildDestroying(*this);
}

void Control::ChildDestroying(Control& child) noexcept {
    if (parent_)
        parent_->ChildDestroying(child);
}

void Control::ControlFocused(WinControl& control) {
    if (parent_)
        parent_->ControlFocused(control);
}

bool Control::DeferFocus(WinControl& control) {
    return parent_ && parent_->DeferFocus(control);
}

void Control::LeftPressStarting() {
    if (parent_)
        parent_->LeftPressStarting();
}

void Control::SetParent(Control* parent) {
    parent_ = parent;
    if (parent_) {
        if (parentFont_)
            font_ = parent_->GetFont();
        if (parentColor_)
            color_ = parent_->GetColor();
    }
}

HWND Control::HostWindow() const noexcept {
    return parent_ ? parent_->HostWindow() : nullptr;
}

void Control::StoreBounds(int left, int top, int width, int height) noexcept {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void Control::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    if (visible_)
        Invalidate();
    StoreBounds(left, top, width, height);
    if (visible_)
        Invalidate();
}

void Control::SetVisible(bool v) {
    if (v == visible_)
        return;
    Invalidate();
    visible_ = v;
    Invalidate();
}

void Control::SetEnabled(bool e) {
    if (e == enabled_)
        return;
    enabled_ = e;
    EnabledChanged();
    Invalidate();
}

void Control::SetFont(const Font& f) {
    const bool changed = !(f == font_);
    font_ = f;
    parentFont_ = false;
    if (changed) {
        FontChanged();
        ChildrenFontChanged();
    }
}

void Control::SetParentFont(bool p) {
    parentFont_ = p;
    if (p && parent_ && !(parent_->GetFont() == font_)) {
        font_ = parent_->GetFont();
        FontChanged();
        ChildrenFontChanged();
    }
}

void Control::ParentFontChanged(const Font& f) {
    if (parentFont_ && !(f == font_)) {
        font_ = f;
        FontChanged();
        ChildrenFontChanged();
    }
}

void Control::SetColor(Color c) {
    color_ = c;
    parentColor_ = false;
    Invalidate();
    ChildrenColorChanged();
}

void Control::SetParentColor(bool p) {
    parentColor_ = p;
    if (p && parent_)
        color_ = parent_->GetColor();
    Invalidate();
    ChildrenColorChanged();
}

void Control::ParentColorChanged(Color c) {
    if (parentColor_) {
        color_ = c;
        Invalidate();
        ChildrenColorChanged();
    }
}

void Control::SetText(const std::wstring& text) {
    if (text == text_)
        return;
    text_ = text;
    TextChanged();
    Invalidate();
    // A control named by its text has a new name.
    if (accRole_ != AccRole::None && accName_.empty())
        NotifyAccessibleEvent(*this, EVENT_OBJECT_NAMECHANGE);
}

void Control::SetFocusCue(bool shown) {
    if (shown == focusCue_)
        return;
    focusCue_ = shown;
    Invalidate();
}

std::wstring Control::AccessibleName() const {
    return accName_.empty() ? text_ : accName_;
}

AccStates Control::AccessibleStates() const noexcept {
    AccStates s = 0;
    if (!enabled_)
        s |= acc::Unavailable;
    if (!visible_)
        s |= acc::Invisible;
    if (accRole_ == AccRole::Link)
        s |= acc::Linked;
    if (accRole_ == AccRole::Text)
        s |= acc::ReadOnly;
    return s;
}

std::wstring Control::AccessibleDefaultAction() const {
    switch (accRole_) {
    case AccRole::PushButton:
        return L"Press";
    case AccRole::MenuButton:
        return L"Open";
    case AccRole::Link:
        return L"Jump";
    default:
        return {};
    }
}

RECT Control::AccessibleBounds() const noexcept {
    RECT r = BoundsRect();
    if (HWND host = HostWindow())
        ::MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::Invalidate() {
    if (HWND w = HostWindow()) {
        const RECT r = BoundsRect();
        ::InvalidateRect(w, &r, FALSE);
    }
}

void Control::Repaint() {
    Invalidate();
    if (HWND w = HostWindow())
        ::UpdateWindow(w);
}

LRESULT Control::Perform(UINT, WPARAM, LPARAM) {
    return 0;
}

bool Control::DialogKey(WORD, ShiftState) {
    return false;
}
bool Control::DialogChar(wchar_t) {
    return false;
}
void Control::FocusChanged(Control*) {}

void Control::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, x, y);
}

void Control::MouseMove(ShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(*this, shift, x, y);
}

void Control::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(*this, button, shift, x, y);
}

void Control::Click() {
    if (OnClick)
        OnClick(*this);
}

void Control::CaptureLost() noexcept {
    holdsParentCapture_ = false;
    clicked_ = false;
}

void Control::HandleMouseMessage(UINT msg, WPARAM wp, int x, int y) {
    ShiftState shift = MouseShiftState(wp);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        const bool left = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
        const MouseButton b = left                                                 ? MouseButton::Left
                              : (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) ? MouseButton::Right
                                                                                   : MouseButton::Middle;
        if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK)
            shift |= ssDouble;
        if (left) {
            LeftPressStarting();
            if (capturesMouse_) {
                if (HWND w = HostWindow()) {
                    ::SetCapture(w);
                    holdsParentCapture_ = !IsWindowed();
                }
            }
            clicked_ = true;
        }
        MouseDown(b, shift, x, y);
        break;
    }
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONUP: {
        // Losing the capture clears clicked_, so read it first.
        const bool wasClicked = std::exchange(clicked_, false);
        HWND w = HostWindow();
        holdsParentCapture_ = false;
        if (capturesMouse_ && w && ::GetCapture() == w)
            ::ReleaseCapture();
        if (wasClicked) {
            const RECT r = ClientRect();
            const POINT p{x, y};
            if (::PtInRect(&r, p))
                Click();
        }
        MouseUp(MouseButton::Left, shift, x, y);
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(MouseButton::Right, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(MouseButton::Middle, shift, x, y);
        break;
    default:
        break;
    }
}

} // namespace fw
