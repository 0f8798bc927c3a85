// Module UtilFuncs: the shell and path utilities through which the launcher
// starts the suite's tools and opens web and mail addresses.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <string>

namespace UtilFuncs {

// Asks the shell to "open" the path (a web address or a "mailto:" address),
// with the busy cursor shown during the request. Failures are not reported;
// the cursor is restored in every case.
void OpenWithShell(const std::wstring& path);

// Asks the shell to "open" the file at path, and only that file, with the busy
// cursor shown during the request. Nothing is opened when path names a folder
// or nothing at all. No character of the path is read as anything but its
// name ("%NAME%" is not a variable here), and a path longer than the shell's
// limit still opens. Failures are not reported.
void OpenFileWithShell(const std::wstring& path);

// s ending in a backslash: unchanged if it already ends in one, otherwise with one appended.
std::wstring AddBackslash(const std::wstring& s);

// Busy sections nest: the busy cursor shows from the first BeginBusy until the
// matching outermost EndBusy. An EndBusy without a BeginBusy changes nothing.
void BeginBusy();
void EndBusy() noexcept;
std::int32_t BusyDepth() noexcept;

// The one seam of the shell call, so that tests can see what would be opened:
// the owner, the verb, the show command, and the file as a string or as an
// item ID list.
using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW* info);
ShellExecuteExFn SetShellExecuteEx(ShellExecuteExFn fn) noexcept;

} // namespace UtilFuncs
