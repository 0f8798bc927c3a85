// Small value types shared by the component layer: colours, cursors, mouse
// and keyboard state, and the event signatures handed to handlers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace fw {

class Control;

// 0x00BBGGRR, or a system colour encoded as 0x80000000 | COLOR_xxx.
using Color = std::uint32_t;
constexpr Color SystemColor(int index) {
    return 0x80000000u | static_cast<std::uint32_t>(index);
}
constexpr Color clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr Color clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr Color clWindow = SystemColor(COLOR_WINDOW);
constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clGray = 0x808080;
constexpr Color clBlue = 0xFF0000;
constexpr Color clFuchsia = 0xFF00FF;
// Translates a system colour to its current RGB value; other values pass unchanged.
COLORREF ColorToRGB(Color c) noexcept;

// Cursor ids of the application's cursor table.
using CursorId = int;
constexpr CursorId crDefault = 0;
constexpr CursorId crArrow = -2;
constexpr CursorId crHourGlass = -11;
constexpr CursorId crHandPoint = -21;

enum class MouseButton { Left, Right, Middle };

using ShiftState = unsigned;
constexpr ShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                     ssDouble = 64;
// The modifier keys held now, from the keyboard state.
ShiftState KeyboardShiftState() noexcept;
// The modifiers and buttons given in a mouse message's wParam.
ShiftState MouseShiftState(WPARAM wp) noexcept;

enum ModalResultCode : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

using NotifyEvent = std::function<void(Control& sender)>;
using MouseEvent = std::function<void(Control& sender, MouseButton, ShiftState, int x, int y)>;
using MouseMoveEvent = std::function<void(Control& sender, ShiftState, int x, int y)>;
using KeyEvent = std::function<void(Control& sender, WORD& key, ShiftState)>;
using KeyPressEvent = std::function<void(Control& sender, wchar_t& key)>;

} // namespace fw
