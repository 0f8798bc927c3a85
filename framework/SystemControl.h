// Helpers for the controls that wrap a window of the system's common controls.
#pragma once

#include "Font.h"
#include "Handles.h"
#include "SystemLibraries.h"

#include <commctrl.h>

namespace fw {

// Registers the common-control classes once per class set (comctl32 version 6
// through the application manifest gives them visual styles).
inline void InitCommonControlClasses(DWORD classes) {
    INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    syslib::InitCommonControlsEx(&icc);
}

// With visual styles, a control whose face lies on a themed parent (a tab
// page on the tab control's pane) paints the parent's background under itself;
// returns false when no theme is active and the caller fills its own colour.
inline bool DrawThemedParentBackground(HWND wnd, HDC dc) {
    if (!syslib::IsAppThemed() || !syslib::IsThemeActive())
        return false;
    return SUCCEEDED(syslib::DrawThemeParentBackground(wnd, dc, nullptr));
}

// The GDI font a system control draws its text in (WM_SETFONT). The window
// only borrows it, so the owner keeps it until the window is gone.
class WindowFont {
public:
    void Apply(HWND wnd, const Font& font) {
        UniqueFont f = font.Create();
        ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(f.get()), TRUE);
        font_ = std::move(f); // the old font is freed only after the window has let go of it
    }

private:
    UniqueFont font_;
};

} // namespace fw
