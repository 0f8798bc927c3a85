// Holds Wine's desktop open between the start-up benchmark's runs: a process
// with one hidden window that waits until it is ended. Without it, Wine ends
// its desktop process a moment after the last program leaves, and whether the
// next start pays for a new one depends on the gap between runs. With it, the
// system side is up as on Windows and only the programs' own start is timed.
#include "framework/Handles.h"

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
    // A never-shown window of a system class: enough to join the desktop.
    fw::UniqueWindow wnd(::CreateWindowExW(0, L"STATIC", L"KeepDesktop", WS_POPUP, 0, 0, 1, 1, nullptr,
                                           nullptr, inst, nullptr));
    if (!wnd)
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}
