#include "core/Path.h"

#include <gtest/gtest.h>

using core::AddBackslash;
using core::ExtractFileDir;
using core::FileBesideModule;

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

TEST(Path, FileBesideModuleNeedsTheModulesDirectory) {
    EXPECT_EQ(FileBesideModule(L"C:\\Suite\\Orvalis.exe", L"Tarvek.exe"), L"C:\\Suite\\Tarvek.exe");
    EXPECT_EQ(FileBesideModule(L"\\\\server\\share\\Orvalis.exe", L"Tarvek.exe"),
              L"\\\\server\\share\\Tarvek.exe");
    // No module name: nothing, rather than the tool at the root of the current drive.
    EXPECT_EQ(FileBesideModule(L"", L"Tarvek.exe"), L"");
    EXPECT_EQ(FileBesideModule(L"Orvalis.exe", L"Tarvek.exe"), L"");
}

} // namespace
