#include "TestSupport.h"

#include "framework/Application.h"
#include "framework/Canvas.h"

namespace testing_support {

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    fw::Application& app = fw::Application::Instance();
    while (!pred()) {
        if (::GetTickCount64() > end)
            return false;
        app.ProcessMessages();
        app.Idle();
        if (pred())
            return true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpIdle() {
    fw::Application::Instance().ProcessMessages();
    fw::Application::Instance().Idle();
}

void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

void MoveMouse(int x, int y) {
    ::SetCursorPos(x, y);
    SendMouseMoveInput(x, y);
    PumpIdle();
}

void SendMouseMoveInput(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((x * 65536LL + w / 2) / w);
    in.mi.dy = static_cast<LONG>((y * 65536LL + h / 2) / h);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

void MouseButton(bool left, bool down) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = left ? (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                         : (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
    ::SendInput(1, &in, sizeof in);
}

void KeyPress(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof in);
}

fw::Bitmap CaptureScreen(const RECT& r) {
    fw::Bitmap bmp(r.right - r.left, r.bottom - r.top, 24);
    fw::BitmapCanvas canvas(bmp);
    fw::WindowDC screen(nullptr);
    ::BitBlt(canvas.Handle(), 0, 0, bmp.Width(), bmp.Height(), screen.get(), r.left, r.top, SRCCOPY);
    return bmp;
}

std::vector<bool> RegionPixels(HRGN rgn, int w, int h) {
    std::vector<bool> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<size_t>(y) * w + x] = ::PtInRegion(rgn, x, y) != FALSE;
    return px;
}

bool RunningUnderWine() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace testing_support
