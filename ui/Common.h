// What the launcher and the About dialog share: their font, the application icon in their
// title, and the step from the layout's narrow ASCII texts to the wide API.
#pragma once

#include "framework/Font.h"
#include "framework/Form.h"

#include <string>
#include <string_view>

namespace ui {

// Tahoma, character height 11 pixels (8 points at 96 dpi), regular, ANSI; at another
// scale the same 8 points: MulDiv(-11, dpi, 96) as the height.
fw::Font TahomaFont(int dpi = 96);

// MAINICON at the system's large and small icon sizes, for the title, the task switcher and
// the taskbar.
void SetApplicationIcon(fw::Form& form);

// Every text of the layout is ASCII, so widening is one character for one.
std::wstring Wide(std::string_view ascii);

} // namespace ui
