// The smallest program that shows what the launcher shows when it starts: one
// 444 x 217 popup window, centred on the desktop, that blits one 444 x 217
// bitmap when it paints. bench_startup.py measures the launcher's cold start
// against it.
#include "framework/Handles.h"
#include "ui/LauncherLayout.h"

namespace {

constexpr int kWidth = ui::layout::kClientWidth;
constexpr int kHeight = ui::layout::kClientHeight;
constexpr wchar_t kClassName[] = L"BarePopup";

LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        break;
    }
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole window
    case WM_PAINT: {
        fw::PaintDC paint(wnd);
        fw::UniqueDC memory(::CreateCompatibleDC(paint.get()));
        fw::ScopedSelect picture(memory.get(),
                                 reinterpret_cast<HBITMAP>(::GetWindowLongPtrW(wnd, GWLP_USERDATA)));
        ::BitBlt(paint.get(), 0, 0, kWidth, kHeight, memory.get(), 0, 0, SRCCOPY);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    fw::UniqueBitmap picture(
        static_cast<HBITMAP>(::LoadImageW(inst, L"SKIN", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!picture)
        return 1;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!::RegisterClassExW(&wc))
        return 1;
    const int left = (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - kWidth) / 2;
    const int top = (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - kHeight) / 2;
    fw::UniqueWindow wnd(::CreateWindowExW(0, kClassName, L"BarePopup", WS_POPUP, left, top, kWidth, kHeight,
                                           nullptr, nullptr, inst, picture.get()));
    if (!wnd)
        return 1;
    ::ShowWindow(wnd.get(), SW_SHOWNORMAL);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // WM_DESTROY already ended the window; do not destroy it twice.
    wnd.release();
    return 0;
}
