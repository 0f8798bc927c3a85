#include "Types.h"

namespace fw {

COLORREF ColorToRGB(Color c) noexcept {
    if (c & 0x80000000u)
        return ::GetSysColor(static_cast<int>(c & 0xFF));
    return c;
}

ShiftState KeyboardShiftState() noexcept {
    ShiftState s = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        s |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        s |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

ShiftState MouseShiftState(WPARAM wp) noexcept {
    ShiftState s = 0;
    if (wp & MK_SHIFT)
        s |= ssShift;
    if (wp & MK_CONTROL)
        s |= ssCtrl;
    if (wp & MK_LBUTTON)
        s |= ssLeft;
    if (wp & MK_RBUTTON)
        s |= ssRight;
    if (wp & MK_MBUTTON)
        s |= ssMiddle;
    if (::GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

} // namespace fw
