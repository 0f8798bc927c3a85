#include "PushButton.h"

#include "Form.h"

#include "core/Accelerator.h"

#include <cwctype>

namespace fw {

PushButton::PushButton(Control* owner) : WinControl(owner) {
    SetTabStop(true);
}

PushButton::~PushButton() {
    // The window goes before the font it borrows.
    DestroyHandle();
}

void PushButton::CreateParamsFor(CreateParams& p) {
    InitCommonControlClasses(ICC_STANDARD_CLASSES);
    WinControl::CreateParamsFor(p);
    p.systemClass = WC_BUTTONW;
    p.style |= (active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (TabStop() ? WS_TABSTOP : 0);
}

void PushButton::CreateWnd() {
    font_.Apply(HandleIfAllocated(), GetFont());
}

void PushButton::FontChanged() {
    if (HWND h = HandleIfAllocated())
        font_.Apply(h, GetFont());
}

void PushButton::SetActive(bool a) {
    active_ = a;
    if (HWND h = HandleIfAllocated())
        ::SendMessageW(h, BM_SETSTYLE, a ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void PushButton::SetDefault(bool d) {
    default_ = d;
    Form* f = ParentForm();
    FocusChanged(f ? f->FocusedControl() : nullptr);
}

void PushButton::FocusChanged(Control* focused) {
    if (auto* button = dynamic_cast<PushButton*>(focused))
        SetActive(button == this);
    else
        SetActive(default_);
}

void PushButton::Click() {
    if (Form* f = ParentForm())
        f->SetModalResult(modalResult_);
    WinControl::Click();
}

bool PushButton::DialogKey(WORD key, ShiftState shift) {
    const bool mine = (key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_);
    if (mine && (shift & (ssShift | ssAlt | ssCtrl)) == 0 && CanFocus()) {
        Click();
        return true;
    }
    return false;
}

bool PushButton::DialogChar(wchar_t ch) {
    const wchar_t accel = core::AcceleratorChar(Text());
    if (accel && static_cast<wchar_t>(std::towupper(ch)) == accel && CanFocus()) {
        Click();
        return true;
    }
    return false;
}

LRESULT PushButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        // The system button tracks the press itself and reports the click as
        // BN_CLICKED; the framework's click rule would click a second time.
        return DefWndProc(msg, wp, lp);
    default:
        return WinControl::WndProc(msg, wp, lp);
    }
}

bool PushButton::Reflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    return false;
}

} // namespace fw
