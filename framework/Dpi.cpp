#include "Dpi.h"

#include "Handles.h"

namespace fw {
namespace {

template <typename Fn> Fn* User32Proc(const char* name) noexcept {
    // user32 is loaded by every program with windows: no library is loaded here.
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    FARPROC p = user32 ? ::GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(p));
}

} // namespace

int SystemDpi() noexcept {
    static auto* getDpiForSystem = User32Proc<UINT WINAPI()>("GetDpiForSystem");
    if (getDpiForSystem)
        return static_cast<int>(getDpiForSystem());
    WindowDC screen(nullptr);
    const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND wnd) noexcept {
    static auto* getDpiForWindow = User32Proc<UINT WINAPI(HWND)>("GetDpiForWindow");
    if (wnd && getDpiForWindow)
        if (const UINT dpi = getDpiForWindow(wnd))
            return static_cast<int>(dpi);
    return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) noexcept {
    static auto* adjustForDpi =
        User32Proc<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        return;
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
}

} // namespace fw
