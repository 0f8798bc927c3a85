#include "core/Path.h"

#include <gtest/gtest.h>

using core::AddBackslash;
using core::ExtractFileDir;

namespace {

TEST(Path, ExtractFileDirKeepsTheSeparator) {
    EXPECT_EQ(ExtractFileDir(L"C:\\a\\b.exe"), L"C:\\a\\");
    EXPECT_EQ(ExtractFileDir(L"C:b.exe"), L"C:");
    EXPECT_EQ(ExtractFileDir(L"b.exe"), L"");
    EXPECT_EQ(ExtractFileDir(L"C:\\a:b\\c.exe"), L"C:\\a:b\\");
    EXPECT_EQ(ExtractFileDir(L"\\\\server\\share\\tool.exe"), L"\\\\server\\share\\");
    EXPECT_EQ(ExtractFileDir(L""), L"");
}

TEST(Path, AddBackslashAppendsExactlyOne) {
    EXPECT_EQ(AddBackslash(L"C:\\Tools\\"), L"C:\\Tools\\");
    EXPECT_EQ(AddBackslash(L"C:\\Tools"), L"C:\\Tools\\");
    EXPECT_EQ(AddBackslash(L"C:"), L"C:\\");
    EXPECT_EQ(AddBackslash(L"a\\\\"), L"a\\\\");
    EXPECT_EQ(AddBackslash(L"a/"), L"a/\\");
    EXPECT_EQ(AddBackslash(L""), L"\\");
}

TEST(Path, ToolPathBesideTheExecutable) {
    EXPECT_EQ(AddBackslash(ExtractFileDir(L"C:\\Suite\\Orvalis.exe")) + L"Questo.exe",
              L"C:\\Suite\\Questo.exe");
    EXPECT_EQ(AddBackslash(ExtractFileDir(L"C:Orvalis.exe")) + L"Questo.exe", L"C:\\Questo.exe");
}

} // namespace
