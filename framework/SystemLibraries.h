// The common-controls and theme libraries, loaded when first used. Loading
// the common controls costs tens of milliseconds at start-up, and only the
// About dialog and the button base's own pictures need them, so the launcher
// does not import them. Each function behaves as the library's own; when the
// library cannot be loaded it reports failure as the library would.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace fw::syslib {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_Destroy(HIMAGELIST list);

BOOL IsAppThemed();
BOOL IsThemeActive();
HRESULT DrawThemeParentBackground(HWND wnd, HDC dc, const RECT* rect);

} // namespace fw::syslib
