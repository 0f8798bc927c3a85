#include "FocusProxy.h"

namespace fw {

FocusProxy::FocusProxy(Control* owner, Control& target) : WinControl(owner), target_(target) {
    SetTabStop(true);
    SetBounds(target.Left(), target.Top(), 0, 0);
}

void FocusProxy::CreateParamsFor(CreateParams& p) {
    WinControl::CreateParamsFor(p);
    p.className = L"OrvalisFocusProxy";
    // No area: nothing to paint, and the mouse reaches the control beneath.
    p.width = 0;
    p.height = 0;
}

void FocusProxy::Click() {
    target_.Click();
}

void FocusProxy::UIStateChanged() {
    ShowCue();
}

void FocusProxy::ShowCue() {
    target_.SetFocusCue(Focused() && FocusCuesShown());
}

std::wstring FocusProxy::AccessibleName() const {
    return target_.AccessibleName();
}

std::wstring FocusProxy::AccessibleDescription() const {
    return target_.AccessibleDescription();
}

std::wstring FocusProxy::AccessibleValue() const {
    const std::wstring own = WinControl::AccessibleValue();
    return own.empty() ? target_.AccessibleValue() : own;
}

AccStates FocusProxy::AccessibleStates() const noexcept {
    // Whether the control can be seen and used is the control's.
    AccStates s = WinControl::AccessibleStates() & ~(acc::Invisible | acc::Unavailable);
    s |= target_.AccessibleStates() & (acc::Invisible | acc::Unavailable);
    if (s & (acc::Invisible | acc::Unavailable))
        s &= ~acc::Focusable;
    return s;
}

RECT FocusProxy::AccessibleBounds() const noexcept {
    return target_.AccessibleBounds();
}

LRESULT FocusProxy::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = WinControl::WndProc(msg, wp, lp);
        ShowCue();
        return r;
    }
    case WM_GETDLGCODE:
        // Enter is the link's, not the form's default button's.
        if (wp == VK_RETURN)
            return DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        // A held key repeats its key-down: one click for one press.
        if ((wp == VK_RETURN || wp == VK_SPACE) && !(lp & (1 << 30)) && target_.Enabled()) {
            Click();
            return 0;
        }
        break;
    default:
        break;
    }
    return WinControl::WndProc(msg, wp, lp);
}

} // namespace fw
