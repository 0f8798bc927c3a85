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

VARIANT ChildId(long child) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

AccessibleFacts Facts(IAccessible* acc, long child) {
    AccessibleFacts f;
    const VARIANT id = ChildId(child);
    auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR b = nullptr;
        std::wstring s = SUCCEEDED((acc->*get)(id, &b)) && b ? std::wstring(b, ::SysStringLen(b)) : L"";
        ::SysFreeString(b);
        return s;
    };
    f.name = text(&IAccessible::get_accName);
    f.description = text(&IAccessible::get_accDescription);
    f.value = text(&IAccessible::get_accValue);
    f.defaultAction = text(&IAccessible::get_accDefaultAction);
    VARIANT v;
    if (SUCCEEDED(acc->get_accRole(id, &v)))
        f.role = v.lVal;
    if (SUCCEEDED(acc->get_accState(id, &v)))
        f.states = v.lVal;
    long x = 0, y = 0, w = 0, h = 0;
    acc->accLocation(&x, &y, &w, &h, id);
    f.location = RECT{x, y, x + w, y + h};
    return f;
}

namespace {
WinEventLog* currentLog = nullptr;
}

WinEventLog::WinEventLog()
    : hook_(::SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &WinEventLog::Hook, ::GetCurrentProcessId(), 0,
                              WINEVENT_OUTOFCONTEXT)) {
    currentLog = this;
}

WinEventLog::~WinEventLog() {
    if (hook_)
        ::UnhookWinEvent(hook_);
    currentLog = nullptr;
}

void CALLBACK WinEventLog::Hook(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
    if (currentLog)
        currentLog->events_.push_back({event, wnd, object, child});
}

int WinEventLog::Count(DWORD event, HWND wnd, LONG child) const {
    int n = 0;
    for (const Event& e : events_)
        if (e.event == event && e.wnd == wnd && e.object == OBJID_CLIENT && e.child == child)
            ++n;
    return n;
}

} // namespace testing_support
