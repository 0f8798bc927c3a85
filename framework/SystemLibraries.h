// Libraries are taken from the system folder only, and loaded when first used.
//
// A library of a system name lying beside the program (as in a downloads
// folder) must never be loaded in place of the system's own, so the program's
// first act restricts the loader's search to the system folder, and every
// library it loads itself is looked for there alone.
//
// The common-controls, theme and accessibility libraries are not imported:
// loading them costs tens of milliseconds at start-up, and only the About
// dialog, the button base's own pictures and screen readers need them. Each function below behaves as the
// library's own; when the library cannot be loaded it reports failure as the library would.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>
#include <unknwn.h>

namespace fw::syslib {

// Restricts the loader's default search to the system folder, for the whole
// process: the first thing the program does. False where the system cannot
// (no SetDefaultDllDirectories); LoadSystemLibrary then uses full paths.
bool RestrictLibrarySearch() noexcept;

// The library from the system folder (or from the side-by-side store, where
// the application manifest selects a version of it), or null.
HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

template <typename Fn> Fn* Proc(HMODULE lib, const char* name) noexcept {
    FARPROC p = lib ? ::GetProcAddress(lib, name) : nullptr;
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(p));
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc);
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_Destroy(HIMAGELIST list);

BOOL IsAppThemed();
BOOL IsThemeActive();
HRESULT DrawThemeParentBackground(HWND wnd, HDC dc, const RECT* rect);

// Active Accessibility, loaded when the first client asks a window for its
// object: a program that no screen reader looks at never loads it.
LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object);
HRESULT CreateStdAccessibleObject(HWND wnd, LONG objectId, REFIID riid, void** object);
// The strings that accessible objects hand their clients, who free them.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);

} // namespace fw::syslib
