#include "core/ShellTarget.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <set>

using core::ChooseShellTarget;
using core::ShellRoute;

namespace {

// The shell's reading of a path: %OS% and %ORVTEST% are set, as in a user's environment.
std::wstring Expand(const std::wstring& p) {
    std::wstring out = p;
    for (auto [name, value] : {std::pair{L"%OS%", L"Windows_NT"}, std::pair{L"%ORVTEST%", L"..\\evil"}})
        for (size_t at; (at = out.find(name)) != std::wstring::npos;)
            out.replace(at, std::wcslen(name), value);
    return out;
}

struct Case {
    const char* what;
    std::wstring longPath, shortPath;
    std::set<std::wstring> existing;
    ShellRoute route;
    std::wstring handedOver;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.what;
}

class ShellTarget : public ::testing::TestWithParam<Case> {};

TEST_P(ShellTarget, HandsTheShellOnlyWhatItReadsAsTheSameFile) {
    const Case& c = GetParam();
    const auto exists = [&](const std::wstring& p) { return c.existing.count(p) != 0; };
    const core::ShellTarget t = ChooseShellTarget(c.longPath, c.shortPath, Expand, exists);
    EXPECT_EQ(t.route, c.route) << c.what;
    EXPECT_EQ(t.path, c.handedOver) << c.what;
}

const std::wstring kDeep =
    L"C:\\" + std::wstring(130, L'a') + L"\\" + std::wstring(130, L'b') + L"\\Tarvek.exe";

INSTANTIATE_TEST_SUITE_P(
    Paths, ShellTarget,
    ::testing::Values(Case{"a plain path goes as its item ID list",
                           L"C:\\Co's ^&\\Tarvek.exe",
                           L"C:\\CO'S~1\\Tarvek.exe",
                           {},
                           ShellRoute::ItemIdList,
                           L"C:\\Co's ^&\\Tarvek.exe"},
                      Case{"a name the shell would expand: the short form",
                           L"C:\\a\\%ORVTEST%\\Tarvek.exe",
                           L"C:\\a\\%ORV~1\\Tarvek.exe",
                           {L"C:\\a\\..\\evil\\Tarvek.exe"},
                           ShellRoute::ShortPath,
                           L"C:\\a\\%ORV~1\\Tarvek.exe"},
                      Case{"MAX_PATH or longer: the short form",
                           kDeep,
                           L"C:\\AAAA~1\\BBBB~1\\Tarvek.exe",
                           {},
                           ShellRoute::ShortPath,
                           L"C:\\AAAA~1\\BBBB~1\\Tarvek.exe"},
                      Case{"no usable short form, the expanded path names nothing: the item ID list",
                           L"C:\\%OS%\\Tarvek.exe",
                           L"C:\\%OS%\\Tarvek.exe",
                           {},
                           ShellRoute::ItemIdList,
                           L"C:\\%OS%\\Tarvek.exe"},
                      Case{"the expanded path names another file: nothing",
                           L"C:\\%OS%\\Tarvek.exe",
                           L"",
                           {L"C:\\Windows_NT\\Tarvek.exe"},
                           ShellRoute::None,
                           L""}));

} // namespace
