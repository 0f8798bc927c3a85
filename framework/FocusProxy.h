// Keyboard focus for a windowless control (a link label): a child window
// without area at the control's place, in its parent's tab order, that takes
// the focus for it. While it has the focus the control shows its focus cue
// (when the form shows focus cues), Enter and Space click it, and assistive
// technology finds the control through it: its accessible object is the
// control's, at the control's place, and it takes the focus events.
#pragma once

#include "WinControl.h"

namespace fw {

class FocusProxy : public WinControl {
public:
    // target: a windowless sibling created before the proxy, so that it lives longer.
    FocusProxy(Control* owner, Control& target);

    Control& Target() const noexcept { return target_; }

    void Click() override;
    void UIStateChanged() override;
    std::wstring AccessibleName() const override;
    std::wstring AccessibleDescription() const override;
    std::wstring AccessibleValue() const override;
    AccStates AccessibleStates() const noexcept override;
    RECT AccessibleBounds() const noexcept override;

protected:
    void CreateParamsFor(CreateParams& p) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ShowCue();

    Control& target_;
};

} // namespace fw
