#include "SystemLibraries.h"

namespace fw::syslib {

namespace {

// Loaded the way the import table would load them, so the application
// manifest still selects version 6 of the common controls.
HMODULE Library(const wchar_t* name) {
    return ::LoadLibraryW(name);
}

HMODULE Comctl32() {
    static const HMODULE lib = Library(L"comctl32.dll");
    return lib;
}

HMODULE UxTheme() {
    static const HMODULE lib = Library(L"uxtheme.dll");
    return lib;
}

template <typename Fn> Fn* Proc(HMODULE lib, const char* name) {
    FARPROC p = lib ? ::GetProcAddress(lib, name) : nullptr;
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(p));
}

} // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
    static auto* fn = Proc<BOOL WINAPI(const INITCOMMONCONTROLSEX*)>(Comctl32(), "InitCommonControlsEx");
    return fn ? fn(icc) : FALSE;
}

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    static auto* fn = Proc<HIMAGELIST WINAPI(int, int, UINT, int, int)>(Comctl32(), "ImageList_Create");
    return fn ? fn(cx, cy, flags, initial, grow) : nullptr;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    static auto* fn = Proc<int WINAPI(HIMAGELIST, HBITMAP, HBITMAP)>(Comctl32(), "ImageList_Add");
    return fn ? fn(list, image, mask) : -1;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
    static auto* fn = Proc<int WINAPI(HIMAGELIST, HBITMAP, COLORREF)>(Comctl32(), "ImageList_AddMasked");
    return fn ? fn(list, image, mask) : -1;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    static auto* fn = Proc<BOOL WINAPI(HIMAGELIST, int, HDC, int, int, UINT)>(Comctl32(), "ImageList_Draw");
    return fn ? fn(list, index, dc, x, y, style) : FALSE;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    static auto* fn = Proc<BOOL WINAPI(HIMAGELIST)>(Comctl32(), "ImageList_Destroy");
    return fn ? fn(list) : FALSE;
}

BOOL IsAppThemed() {
    static auto* fn = Proc<BOOL WINAPI()>(UxTheme(), "IsAppThemed");
    return fn ? fn() : FALSE;
}

BOOL IsThemeActive() {
    static auto* fn = Proc<BOOL WINAPI()>(UxTheme(), "IsThemeActive");
    return fn ? fn() : FALSE;
}

HRESULT DrawThemeParentBackground(HWND wnd, HDC dc, const RECT* rect) {
    static auto* fn = Proc<HRESULT WINAPI(HWND, HDC, const RECT*)>(UxTheme(), "DrawThemeParentBackground");
    return fn ? fn(wnd, dc, rect) : E_NOTIMPL;
}

} // namespace fw::syslib
