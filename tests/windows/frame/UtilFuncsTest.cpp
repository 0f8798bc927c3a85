// Module UtilFuncs: the busy cursor through nested busy sections, the shell
// call with the busy cursor around it (also when it fails or throws), and
// AddBackslash.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "framework/UtilFuncs.h"
#include "framework/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace frame_tests;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

HCURSOR Arrow() {
    return ::LoadCursorW(nullptr, IDC_ARROW);
}
HCURSOR Wait() {
    return ::LoadCursorW(nullptr, IDC_WAIT);
}

// A point of the screen where no window of ours lies.
void MouseOverNothingOfOurs() {
    testing_support::MoveMouse(3, ::GetSystemMetrics(SM_CYSCREEN) - 3);
}

class Busy : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(UtilFuncs::BusyDepth(), 0);
        MouseOverNothingOfOurs();
    }
    void TearDown() override {
        while (UtilFuncs::BusyDepth() > 0)
            UtilFuncs::EndBusy();
        UtilFuncs::SetShellExecute(nullptr);
    }
};

// What the fake shell saw.
struct ShellCall {
    int calls = 0;
    HWND owner = nullptr;
    std::wstring operation, file;
    bool parametersNull = false, directoryNull = false;
    INT show = -1;
    std::int32_t depth = -1;
    fw::CursorId screenCursor = 0;
    HCURSOR cursor = nullptr;
} shellCall;

HINSTANCE WINAPI FakeShell(HWND owner, LPCWSTR op, LPCWSTR file, LPCWSTR params, LPCWSTR dir, INT show) {
    ++shellCall.calls;
    shellCall.owner = owner;
    shellCall.operation = op ? op : L"(null)";
    shellCall.file = file ? file : L"(null)";
    shellCall.parametersNull = params == nullptr;
    shellCall.directoryNull = dir == nullptr;
    shellCall.show = show;
    shellCall.depth = UtilFuncs::BusyDepth();
    shellCall.screenCursor = fw::Application::Instance().ScreenCursor();
    shellCall.cursor = ::GetCursor();
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(ERROR_FILE_NOT_FOUND));
}

HINSTANCE WINAPI ThrowingShell(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) {
    ++shellCall.calls;
    throw std::runtime_error("the shell failed");
}

} // namespace

TEST_F(Busy, NestedSectionsKeepTheBusyCursorUntilTheOutermostEnds) {
    UtilFuncs::BeginBusy();
    UtilFuncs::BeginBusy();
    EXPECT_EQ(UtilFuncs::BusyDepth(), 2);
    EXPECT_EQ(::GetCursor(), Wait());
    UtilFuncs::EndBusy();
    EXPECT_EQ(UtilFuncs::BusyDepth(), 1);
    EXPECT_EQ(fw::Application::Instance().ScreenCursor(), fw::crHourGlass);
    EXPECT_EQ(::GetCursor(), Wait());

    UtilFuncs::EndBusy();
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
    EXPECT_EQ(fw::Application::Instance().ScreenCursor(), fw::crDefault);
    EXPECT_EQ(::GetCursor(), Arrow());

    // One end too many changes nothing, not even the cursor someone set since.
    HCURSOR cross = ::LoadCursorW(nullptr, IDC_CROSS);
    ::SetCursor(cross);
    UtilFuncs::EndBusy();
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
    EXPECT_EQ(::GetCursor(), cross);
    UtilFuncs::BeginBusy();
    EXPECT_EQ(UtilFuncs::BusyDepth(), 1) << "the depth never went below zero";
    UtilFuncs::EndBusy();
}

TEST_F(Busy, EndingTheLastSectionShowsTheCursorOfTheControlUnderTheMouseAtOnce) {
    HookedForm form;
    auto& hand = form.Create<fw::Control>();
    hand.SetBounds(0, 0, 100, 80);
    hand.SetCursor(fw::crHandPoint);
    ShowAt(form, 300, 300, 200, 160);
    testing_support::MoveMouse(330, 330);
    PumpFor(50);
    ASSERT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    UtilFuncs::BeginBusy();
    EXPECT_EQ(::GetCursor(), Wait());
    UtilFuncs::EndBusy(); // no message is handled in between
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    // Beside the control, the form's own cursor: the arrow.
    testing_support::MoveMouse(450, 420);
    PumpFor(50);
    UtilFuncs::BeginBusy();
    UtilFuncs::EndBusy();
    EXPECT_EQ(::GetCursor(), Arrow());
}

TEST_F(Busy, OpeningAPathThatDoesNotExistReturnsWithTheDefaultCursorBack) {
    UtilFuncs::OpenWithShell(L"C:\\no such folder\\no such tool.exe");
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
    EXPECT_EQ(fw::Application::Instance().ScreenCursor(), fw::crDefault);
    EXPECT_EQ(::GetCursor(), Arrow());
    UtilFuncs::OpenWithShell(L"");
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
}

TEST_F(Busy, ShellIsAskedToOpenTheExactPathWithTheBusyCursorShown) {
    shellCall = {};
    UtilFuncs::SetShellExecute(&FakeShell);
    const std::wstring path = L"C:\\Program Files\\Orvalis Suite\\Data Disc.exe";
    UtilFuncs::OpenWithShell(path);
    EXPECT_EQ(shellCall.calls, 1);
    EXPECT_EQ(shellCall.owner, fw::Application::Instance().Handle())
        << "the window that carries the taskbar button";
    EXPECT_EQ(shellCall.operation, L"open");
    EXPECT_EQ(shellCall.file, path);
    EXPECT_TRUE(shellCall.parametersNull);
    EXPECT_TRUE(shellCall.directoryNull) << "a started tool inherits our current directory";
    EXPECT_EQ(shellCall.show, SW_SHOWDEFAULT);
    EXPECT_EQ(shellCall.show, 10);
    EXPECT_EQ(shellCall.depth, 1);
    EXPECT_EQ(shellCall.screenCursor, fw::crHourGlass);
    EXPECT_EQ(shellCall.cursor, Wait());
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
    EXPECT_EQ(::GetCursor(), Arrow());

    // Inside a busy section of the caller, the cursor stays busy afterwards.
    UtilFuncs::BeginBusy();
    UtilFuncs::OpenWithShell(L"mailto:support@example.com");
    EXPECT_EQ(shellCall.file, L"mailto:support@example.com");
    EXPECT_EQ(shellCall.depth, 2);
    EXPECT_EQ(UtilFuncs::BusyDepth(), 1);
    EXPECT_EQ(::GetCursor(), Wait());
}

TEST_F(Busy, BusySectionEndsWhenTheShellCallThrows) {
    shellCall = {};
    UtilFuncs::SetShellExecute(&ThrowingShell);
    EXPECT_THROW(UtilFuncs::OpenWithShell(L"C:\\tool.exe"), std::runtime_error);
    EXPECT_EQ(shellCall.calls, 1);
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
    EXPECT_EQ(fw::Application::Instance().ScreenCursor(), fw::crDefault);
    EXPECT_EQ(::GetCursor(), Arrow());
}

TEST(AddBackslash, AppendsExactlyOneBackslashUnlessThereIsOne) {
    EXPECT_EQ(UtilFuncs::AddBackslash(L"C:"), L"C:\\") << "a bare drive becomes its root";
    EXPECT_EQ(UtilFuncs::AddBackslash(L"C:\\dir\\"), L"C:\\dir\\");
    EXPECT_EQ(UtilFuncs::AddBackslash(L"C:\\dir"), L"C:\\dir\\");
    EXPECT_EQ(UtilFuncs::AddBackslash(L"\\"), L"\\");
    EXPECT_EQ(UtilFuncs::AddBackslash(L"C:\\dir\\\\"), L"C:\\dir\\\\") << "nothing is taken away";
}

TEST(AddBackslash, KeepsNonAsciiPathsCharacterForCharacter) {
    const std::wstring paths[] = {
        L"C:\\Programme\\\u00dcbersicht",            // Latin-1
        L"C:\\\u0434\u0430\u043d\u043d\u044b\u0435", // Cyrillic
        L"D:\\\u8868", // its 8-bit form ends in the byte 0x5C in some code pages
        L"C:\\\u015c", // a character whose low byte is 0x5C
    };
    for (const std::wstring& p : paths) {
        EXPECT_EQ(UtilFuncs::AddBackslash(p), p + L"\\");
        EXPECT_EQ(UtilFuncs::AddBackslash(p + L"\\"), p + L"\\");
    }
}
