#include "core/ShellTarget.h"

#include <gtest/gtest.h>

using core::ChooseShellTarget;
using core::ShellRoute;

namespace {

// The shell's reading of a path, with %OS% set as in a user's environment.
std::wstring Expand(const std::wstring& p) {
    std::wstring out = p;
    for (size_t at; (at = out.find(L"%OS%")) != std::wstring::npos;)
        out.replace(at, 4, L"Windows_NT");
    return out;
}

TEST(ShellTarget, TheShellGetsOnlyWhatItReadsAsTheSameFile) {
    const auto none = [](const std::wstring&) { return false; };
    const std::wstring deep = L"C:\\" + std::wstring(300, L'a') + L"\\Tarvek.exe";
    const core::ShellTarget longPath = ChooseShellTarget(deep, L"C:\\AAAA~1\\Tarvek.exe", Expand, none);
    EXPECT_EQ(longPath.route, ShellRoute::ShortPath) << "MAX_PATH or longer: the short form";
    EXPECT_EQ(longPath.path, L"C:\\AAAA~1\\Tarvek.exe");

    // No short form the shell would read as it stands: the item ID list, as long
    // as the shell's own reading names nothing that exists...
    const std::wstring odd = L"C:\\%OS%\\Tarvek.exe";
    EXPECT_EQ(ChooseShellTarget(odd, odd, Expand, none).route, ShellRoute::ItemIdList);
    EXPECT_EQ(ChooseShellTarget(deep, L"", Expand, none).route, ShellRoute::ItemIdList);
    // ...and nothing at all when it names another file.
    const auto decoy = [](const std::wstring& p) { return p == L"C:\\Windows_NT\\Tarvek.exe"; };
    EXPECT_EQ(ChooseShellTarget(odd, odd, Expand, decoy).route, ShellRoute::None);
}

} // namespace
