// The application object: the cursor table and the cursor override, a loop
// that waits instead of spinning, minimise and restore, and the one exception
// handler behind every window procedure.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

using namespace frame_tests;
using testing_support::MoveMouse;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

constexpr UINT kPing = WM_APP + 17;
constexpr UINT kThrow = WM_APP + 18;

HCURSOR SystemCursor(LPCWSTR id) {
    return ::LoadCursorW(nullptr, id);
}

ULONGLONG ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME f) { return ((ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000; };
    return ms(kernel) + ms(user);
}

// Puts the test's own OnException back whatever happens.
struct ExceptionRecorder {
    std::function<void(const std::wstring&)> saved = fw::Application::Instance().OnException;
    std::vector<std::wstring> messages;
    ExceptionRecorder() {
        fw::Application::Instance().OnException = [this](const std::wstring& m) { messages.push_back(m); };
    }
    ~ExceptionRecorder() { fw::Application::Instance().OnException = saved; }
};

} // namespace

TEST(ApplicationCursors, HandPointEntryIsTheSystemHand) {
    EXPECT_EQ(fw::Application::Instance().GetCursor(fw::crHandPoint), SystemCursor(IDC_HAND));
    EXPECT_EQ(fw::Application::Instance().GetCursor(fw::crHourGlass), SystemCursor(IDC_WAIT));
    EXPECT_EQ(fw::Application::Instance().GetCursor(fw::crDefault), SystemCursor(IDC_ARROW));
}

TEST(ApplicationCursors, ScreenCursorShowsOnEveryWindowOfTheProgram) {
    HookedForm a, b;
    auto& handA = a.Create<fw::Control>(); // windowless
    handA.SetBounds(0, 0, 100, 100);
    handA.SetCursor(fw::crHandPoint);
    ShowAt(a, 100, 100, 150, 150);
    auto& handB = b.Create<fw::WinControl>(); // a window of its own
    handB.SetBounds(10, 10, 100, 100);
    handB.SetCursor(fw::crHandPoint);
    ShowAt(b, 400, 100, 150, 150);
    const POINT overA{120, 120}, overB{440, 140}, overBForm{530, 230};

    // Without the override every control shows its own cursor.
    MoveMouse(overA.x, overA.y);
    EXPECT_EQ(::GetCursor(), SystemCursor(IDC_HAND));
    MoveMouse(overB.x, overB.y);
    EXPECT_EQ(::GetCursor(), SystemCursor(IDC_HAND));

    fw::Application::Instance().SetScreenCursor(fw::crHourGlass);
    EXPECT_EQ(::GetCursor(), SystemCursor(IDC_WAIT)) << "at once";
    for (POINT p : {overA, overBForm, overB, overA}) {
        MoveMouse(p.x, p.y);
        PumpFor(30);
        EXPECT_EQ(::GetCursor(), SystemCursor(IDC_WAIT)) << p.x << "," << p.y;
    }
    fw::Application::Instance().SetScreenCursor(fw::crDefault);
    EXPECT_EQ(::GetCursor(), SystemCursor(IDC_HAND)) << "the control under the mouse chooses again at once";
    MoveMouse(overBForm.x, overBForm.y);
    EXPECT_EQ(::GetCursor(), SystemCursor(IDC_ARROW));
}

TEST(ApplicationLoop, HandleMessageWaitsForTheNextMessage) {
    HookedForm form;
    bool pinged = false;
    form.hook = [&](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == kPing)
            pinged = true;
        return std::nullopt;
    };
    HWND wnd = form.Handle();
    fw::Application::Instance().ProcessMessages();
    const ULONGLONG start = ::GetTickCount64();
    std::thread poster([wnd] {
        ::Sleep(300);
        ::PostMessageW(wnd, kPing, 0, 0);
    });
    int calls = 0;
    while (!pinged && calls < 1000 && ::GetTickCount64() - start < 3000) {
        fw::Application::Instance().HandleMessage();
        ++calls;
    }
    poster.join();
    EXPECT_TRUE(pinged);
    EXPECT_GE(::GetTickCount64() - start, 250u);
    EXPECT_LE(calls, 20) << "an empty queue is waited on, not polled";
}

TEST(ApplicationLoop, IdleLoopUsesAlmostNoProcessorTime) {
    // A timer that posts a message every 100 ms, so the loop wakes now and then.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    });
    ASSERT_NE(timer, 0u);
    fw::Application::Instance().ProcessMessages();
    const ULONGLONG cpu0 = ThreadCpuMs(), start = ::GetTickCount64();
    int calls = 0;
    while (::GetTickCount64() - start < 1000) {
        fw::Application::Instance().HandleMessage();
        ++calls;
    }
    const ULONGLONG cpu = ThreadCpuMs() - cpu0;
    ::KillTimer(nullptr, timer);
    EXPECT_LT(cpu, 150u) << "processor time over one second of idling, ms";
    EXPECT_GE(calls, 10) << "the timer's messages woke the loop";
    EXPECT_LT(calls, 200);
}

TEST(ApplicationWindow, MinimizeHidesTheMainFormAndRestoreBringsItBackInPlace) {
    fw::Application& app = fw::Application::Instance();
    struct Cleanup {
        ~Cleanup() { fw::Application::Instance().DestroyForms(); }
    } cleanup;
    auto& form = app.CreateForm<HookedForm>();
    ASSERT_EQ(app.MainForm(), &form);
    ShowAt(form, 150, 160, 300, 200);
    HWND wnd = form.Handle();
    RECT before{};
    ::GetWindowRect(wnd, &before);

    app.Minimize();
    PumpFor(50);
    EXPECT_FALSE(::IsWindowVisible(wnd));
    EXPECT_TRUE(::IsIconic(app.Handle())) << "the taskbar button stays, minimised";
    app.Restore();
    PumpUntil([&] { return ::IsWindowVisible(wnd) != FALSE; });
    EXPECT_TRUE(::IsWindowVisible(wnd));
    EXPECT_FALSE(::IsIconic(app.Handle()));
    RECT after{};
    ::GetWindowRect(wnd, &after);
    EXPECT_TRUE(::EqualRect(&before, &after));

    // The same through the system's own commands: the form's minimise, the taskbar button's restore.
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(::IsWindowVisible(wnd));
    ::SendMessageW(app.Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(::IsWindowVisible(wnd));
    ::GetWindowRect(wnd, &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST(ApplicationErrors, ExceptionInAWindowProcedureReachesTheHandlerAndTheProgramGoesOn) {
    ExceptionRecorder recorder;
    HookedForm form;
    form.hook = [](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == kThrow)
            throw std::runtime_error("thrown in the window procedure");
        return std::nullopt;
    };
    HWND wnd = form.Handle();
    EXPECT_EQ(::SendMessageW(wnd, kThrow, 0, 0), 0);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], L"thrown in the window procedure");

    // Posted and dispatched by the loop, the same.
    ::PostMessageW(wnd, kThrow, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return recorder.messages.size() == 2; }));

    // The window and the loop still work.
    form.SetText(L"still here");
    wchar_t text[32] = {};
    ::GetWindowTextW(wnd, text, 32);
    EXPECT_STREQ(text, L"still here");
    bool pinged = false;
    form.hook = [&](UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        pinged = pinged || msg == kPing;
        return std::nullopt;
    };
    ::PostMessageW(wnd, kPing, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return pinged; }));

    // An exception from an event handler during a press stops there too.
    auto& c = form.Create<fw::Control>();
    c.SetBounds(0, 0, 50, 50);
    c.OnMouseDown = [](fw::Control&, fw::MouseButton, fw::ShiftState, int, int) {
        throw std::runtime_error("thrown by a handler");
    };
    ::SendMessageW(wnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    ASSERT_EQ(recorder.messages.size(), 3u);
    EXPECT_EQ(recorder.messages[2], L"thrown by a handler");
}

TEST(ApplicationIdle, AnotherProgramsWindowUnderTheCursorIsNoControlOfOurs) {
    // A window of another thread, carrying a control pointer of its own, as a
    // second launcher's window would: the pointer means nothing here.
    std::atomic<HWND> foreign{nullptr};
    std::atomic<bool> done{false};
    std::thread other([&] {
        HWND h = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 600, 600, 80, 80,
                                   nullptr, nullptr, nullptr, nullptr);
        ::SetPropW(h, L"Orvalis.Control", reinterpret_cast<HANDLE>(0x10));
        foreign = h;
        while (!done) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&msg);
            ::Sleep(5);
        }
        ::RemovePropW(h, L"Orvalis.Control");
        ::DestroyWindow(h);
    });
    ASSERT_TRUE(PumpUntil([&] { return foreign.load() != nullptr; }));
    MoveMouse(640, 640);
    ASSERT_TRUE(PumpUntil([&] {
        POINT p;
        return ::GetCursorPos(&p) && ::WindowFromPoint(p) == foreign.load();
    }));
    fw::Application::Instance().Idle();
    EXPECT_EQ(fw::Application::Instance().MouseControl(), nullptr);
    done = true;
    other.join();
    MoveMouse(5, 1000);
}
