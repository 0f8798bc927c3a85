#include "SystemLibraries.h"

#include <string>

namespace fw::syslib {

namespace {

// Missing before the loader update of Windows 7 and Vista: the loader then
// cannot search the system folder alone by flag, and libraries are asked for
// by full path.
using SetDefaultDllDirectoriesFn = BOOL WINAPI(DWORD);
SetDefaultDllDirectoriesFn* SetDefaultDllDirectoriesProc() noexcept {
    static auto* fn =
        Proc<SetDefaultDllDirectoriesFn>(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    return fn;
}

bool SearchFlagsWork() noexcept {
    return SetDefaultDllDirectoriesProc() != nullptr;
}

HMODULE Comctl32() {
    // By name, not by path: the manifest's side-by-side redirection to version 6
    // comes before any folder is searched, so the system-folder search keeps it.
    static const HMODULE lib = SearchFlagsWork()
                                   ? ::LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)
                                   : ::LoadLibraryW(L"comctl32.dll");
    return lib;
}

HMODULE UxTheme() {
    static const HMODULE lib = LoadSystemLibrary(L"uxtheme.dll");
    return lib;
}

HMODULE Oleacc() {
    static const HMODULE lib = LoadSystemLibrary(L"oleacc.dll");
    return lib;
}

HMODULE Oleaut32() {
    static const HMODULE lib = LoadSystemLibrary(L"oleaut32.dll");
    return lib;
}

} // namespace

bool RestrictLibrarySearch() noexcept {
    auto* set = SetDefaultDllDirectoriesProc();
    return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* name) noexcept {
    if (SearchFlagsWork())
        return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t path[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(path, MAX_PATH);
    const size_t length = std::char_traits<wchar_t>::length(name);
    if (n == 0 || n + 1 + length >= MAX_PATH)
        return nullptr;
    path[n] = L'\\';
    std::char_traits<wchar_t>::copy(path + n + 1, name, length + 1);
    return ::LoadLibraryW(path);
}

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

LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object) {
    static auto* fn = Proc<LRESULT WINAPI(REFIID, WPARAM, IUnknown*)>(Oleacc(), "LresultFromObject");
    return fn ? fn(riid, wParam, object) : static_cast<LRESULT>(E_NOTIMPL);
}

HRESULT CreateStdAccessibleObject(HWND wnd, LONG objectId, REFIID riid, void** object) {
    static auto* fn = Proc<HRESULT WINAPI(HWND, LONG, REFIID, void**)>(Oleacc(), "CreateStdAccessibleObject");
    if (object)
        *object = nullptr;
    return fn ? fn(wnd, objectId, riid, object) : E_NOTIMPL;
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    static auto* fn = Proc<BSTR WINAPI(const OLECHAR*, UINT)>(Oleaut32(), "SysAllocStringLen");
    return fn ? fn(text, length) : nullptr;
}

} // namespace fw::syslib
