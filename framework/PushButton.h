// A push button of the system's BUTTON class. "&" in the caption marks its
// accelerator. The default button answers Enter while no other push button
// has the focus; a focused push button answers Enter itself and shows the
// default frame meanwhile. A click hands ModalResult to the form.
#pragma once

#include "SystemControl.h"
#include "WinControl.h"

namespace fw {

class PushButton : public WinControl {
public:
    explicit PushButton(Control* owner);
    ~PushButton() override;

    bool Default() const noexcept { return default_; }
    void SetDefault(bool d);
    // Escape clicks a cancel button.
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool c) noexcept { cancel_ = c; }
    int ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(int r) noexcept { modalResult_ = r; }
    // Whether Enter clicks this button now (it shows the default frame).
    bool Active() const noexcept { return active_; }

    void Click() override;
    bool DialogKey(WORD key, ShiftState shift) override;
    bool DialogChar(wchar_t ch) override;
    void FocusChanged(Control* focused) override;

protected:
    void CreateParamsFor(CreateParams& p) override;
    void CreateWnd() override;
    void FontChanged() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool Reflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void SetActive(bool a);

    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    int modalResult_ = 0;
    WindowFont font_;
};

} // namespace fw
