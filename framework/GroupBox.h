// A frame of the system's group box (a BUTTON window), here without caption,
// holding windowless children such as a label.
#pragma once

#include "WinControl.h"

namespace fw {

class GroupBox : public WinControl {
public:
    explicit GroupBox(Control* owner);

protected:
    void CreateParamsFor(CreateParams& p) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

} // namespace fw
