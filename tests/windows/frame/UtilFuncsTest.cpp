// Module UtilFuncs: the busy cursor through nested busy sections, the shell
// call with the busy cursor around it (also when it fails or throws), files
// handed to the shell so that it opens exactly them, and AddBackslash.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "framework/UtilFuncs.h"
#include "framework/Application.h"

#include "core/Path.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <fstream>
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
        UtilFuncs::SetShellExecuteEx(nullptr);
    }
};

// What the fake shell saw.
struct ShellCall {
    int calls = 0;
    HWND owner = nullptr;
    std::wstring operation, file;
    bool viaIdList = false;
    ULONG mask = 0;
    bool parametersNull = false, directoryNull = false;
    INT show = -1;
    std::int32_t depth = -1;
    fw::CursorId screenCursor = 0;
    HCURSOR cursor = nullptr;
} shellCall;

BOOL WINAPI FakeShell(SHELLEXECUTEINFOW* info) {
    ++shellCall.calls;
    shellCall.owner = info->hwnd;
    shellCall.operation = info->lpVerb ? info->lpVerb : L"(null)";
    shellCall.mask = info->fMask;
    shellCall.viaIdList = (info->fMask & SEE_MASK_IDLIST) && info->lpIDList;
    if (shellCall.viaIdList) {
        wchar_t path[MAX_PATH] = L"";
        shellCall.file = ::SHGetPathFromIDListW(static_cast<PCIDLIST_ABSOLUTE>(info->lpIDList), path)
                             ? path
                             : L"(an item ID list without a path)";
    } else {
        shellCall.file = info->lpFile ? info->lpFile : L"(null)";
    }
    shellCall.parametersNull = info->lpParameters == nullptr;
    shellCall.directoryNull = info->lpDirectory == nullptr;
    shellCall.show = info->nShow;
    shellCall.depth = UtilFuncs::BusyDepth();
    shellCall.screenCursor = fw::Application::Instance().ScreenCursor();
    shellCall.cursor = ::GetCursor();
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_FNF));
    return FALSE;
}

BOOL WINAPI ThrowingShell(SHELLEXECUTEINFOW*) {
    ++shellCall.calls;
    throw std::runtime_error("the shell failed");
}

// The path in the file system's own spelling of its names (long or short).
std::wstring Form(const std::wstring& p, bool longForm) {
    std::wstring out(32768, L'\0');
    const std::wstring in = core::ExtendedLengthPath(p);
    const DWORD n = longForm ? ::GetLongPathNameW(in.c_str(), out.data(), 32768)
                             : ::GetShortPathNameW(in.c_str(), out.data(), 32768);
    out.resize(n < 32768 ? n : 0);
    return core::WithoutExtendedPrefix(out);
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
    UtilFuncs::SetShellExecuteEx(&FakeShell);
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
    EXPECT_TRUE(shellCall.mask & SEE_MASK_FLAG_NO_UI) << "a failure shows no error box of the shell's";
    EXPECT_FALSE(shellCall.viaIdList) << "an address goes as the text it is";
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
    UtilFuncs::SetShellExecuteEx(&ThrowingShell);
    EXPECT_THROW(UtilFuncs::OpenWithShell(L"C:\\tool.exe"), std::runtime_error);
    EXPECT_EQ(shellCall.calls, 1);
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
    EXPECT_EQ(fw::Application::Instance().ScreenCursor(), fw::crDefault);
    EXPECT_EQ(::GetCursor(), Arrow());
}

// Files are handed to the shell so that it opens exactly them; created in a
// scratch folder of the system's temporary folder.
class OpenFile : public Busy {
protected:
    void SetUp() override {
        Busy::SetUp();
        shellCall = {};
        UtilFuncs::SetShellExecuteEx(&FakeShell);
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        scratch_ = Form(temp, true) + L"orvalis-shell-" + std::to_wstring(::GetCurrentProcessId());
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(core::ExtendedLengthPath(scratch_), ignored);
        Busy::TearDown();
    }
    std::wstring MakeFile(const std::wstring& relative) {
        const std::wstring file = scratch_ + L"\\" + relative;
        std::filesystem::create_directories(core::ExtendedLengthPath(core::ExtractFileDir(file)));
        std::ofstream(std::filesystem::path(core::ExtendedLengthPath(file)));
        return file;
    }
    std::wstring scratch_;
};

TEST_F(OpenFile, GoesAsTheItemIdListOfExactlyThatFileWithTheShellsOpenRequest) {
    const std::wstring file = MakeFile(L"Suite & Co's ^tools 100% caf\u00e9 \u8868\\Tarvek.exe");
    UtilFuncs::OpenFileWithShell(file);
    ASSERT_EQ(shellCall.calls, 1);
    EXPECT_TRUE(shellCall.viaIdList) << "not a string for the shell to parse";
    EXPECT_EQ(shellCall.file, file);
    EXPECT_EQ(shellCall.operation, L"open");
    EXPECT_EQ(shellCall.owner, fw::Application::Instance().Handle());
    EXPECT_EQ(shellCall.show, SW_SHOWDEFAULT);
    EXPECT_TRUE(shellCall.parametersNull);
    EXPECT_TRUE(shellCall.directoryNull) << "a started tool inherits our current directory";
    EXPECT_TRUE(shellCall.mask & SEE_MASK_FLAG_NO_UI);
    EXPECT_EQ(shellCall.cursor, Wait());
    EXPECT_EQ(UtilFuncs::BusyDepth(), 0);
    EXPECT_EQ(::GetCursor(), Arrow());
}

TEST_F(OpenFile, APathLongerThanTheShellsLimitGoesAsItsShortForm) {
    std::wstring relative;
    for (wchar_t c : {L'p', L'q', L'r', L's'})
        relative += std::wstring(60, c) + L"\\";
    const std::wstring file = MakeFile(relative + L"Tarvek.exe");
    ASSERT_GE(file.size(), static_cast<size_t>(MAX_PATH));
    if (Form(file, false).size() >= MAX_PATH)
        GTEST_SKIP() << "this file system keeps no short names";
    UtilFuncs::OpenFileWithShell(file);
    ASSERT_EQ(shellCall.calls, 1);
    EXPECT_LT(shellCall.file.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(Form(shellCall.file, true), file);
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
