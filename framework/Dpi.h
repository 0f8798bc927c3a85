// The display scale of windows: the dots per inch of the monitor a window is on.
// The per-monitor functions exist only on newer Windows versions, so they are looked
// up in user32 at run time; where they are missing, every window has the system's
// dots per inch, the one scale such a system knows.
#pragma once

#include <windows.h>

namespace fw {

// The system's dots per inch (the scale of the primary monitor at sign-in).
int SystemDpi() noexcept;
// The dots per inch of the monitor the window is on; the system's without a window.
int WindowDpi(HWND wnd) noexcept;
// AdjustWindowRectEx with the frame metrics of that scale.
void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) noexcept;

} // namespace fw
