// Helpers shared by the Windows tests: running the message loop until a
// condition holds, real mouse input, and reading back window pixels.
#pragma once

#include "framework/Bitmap.h"

#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Handles messages (with idle processing, as the loop does) until pred holds
// or the timeout passes; returns whether pred held.
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000);
// Handles every pending message, then runs the idle step once.
void PumpIdle();
// Handles messages for about ms milliseconds.
void PumpFor(int ms);

// Real input through SendInput, in screen coordinates. MoveMouse also sets the
// cursor and runs the idle step; SendMouseMoveInput only queues the input, so
// it may be called from another thread.
void MoveMouse(int x, int y);
void SendMouseMoveInput(int x, int y);
void MouseButton(bool left, bool down);
void KeyPress(WORD vk, bool down);

// The window's on-screen pixels (client area), via a screen DC.
fw::Bitmap CaptureScreen(const RECT& screenRect);

// The pixel set of a region, as rows of booleans of size w x h.
std::vector<bool> RegionPixels(HRGN rgn, int w, int h);

// Wine is not Windows: lets a test say why it cannot pass there.
bool RunningUnderWine();

// Accessible objects as a window hands them to WM_GETOBJECT, held by a test.
struct ComRelease {
    void operator()(IUnknown* p) const noexcept { p->Release(); }
};
using AccessiblePtr = std::unique_ptr<IAccessible, ComRelease>;
VARIANT ChildId(long child);

// What an object says of itself (CHILDID_SELF) or of one of its children.
struct AccessibleFacts {
    std::wstring name, description, value, defaultAction;
    long role = 0, states = 0;
    RECT location{};
};
AccessibleFacts Facts(IAccessible* acc, long child = CHILDID_SELF);

// The events raised in this process (NotifyWinEvent's and the system's own),
// caught by an in-process hook while the log lives; they arrive while the
// thread handles messages. Count: those for the client object of wnd.
class WinEventLog {
public:
    WinEventLog();
    ~WinEventLog();
    int Count(DWORD event, HWND wnd, LONG child = CHILDID_SELF) const;

private:
    struct Event {
        DWORD event;
        HWND wnd;
        LONG object, child;
    };
    static void CALLBACK Hook(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD);
    HWINEVENTHOOK hook_;
    std::vector<Event> events_;
};

} // namespace testing_support
