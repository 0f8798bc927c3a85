// Module UtilFuncs: the shell and path utilities through which the launcher
// starts the suite's tools and opens web and mail addresses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace UtilFuncs {

// Asks the shell to "open" the path (a file, a web address or a "mailto:"
// address), with the busy cursor shown during the request. Failures are not
// reported; the cursor is restored in every case.
void OpenWithShell(const std::wstring& path);

// s ending in a backslash: unchanged if it already ends in one, otherwise with one appended.
std::wstring AddBackslash(const std::wstring& s);

// Busy sections nest: the busy cursor shows from the first BeginBusy until the
// matching outermost EndBusy. An EndBusy without a BeginBusy changes nothing.
void BeginBusy();
void EndBusy() noexcept;
std::int32_t BusyDepth() noexcept;

// The one seam of the shell call, so that tests can see what would be opened.
using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                          LPCWSTR directory, INT showCommand);
ShellExecuteFn SetShellExecute(ShellExecuteFn fn) noexcept;

} // namespace UtilFuncs
