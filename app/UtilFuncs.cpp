#include "UtilFuncs.h"

#include "core/Path.h"
#include "framework/Application.h"

#include <shellapi.h>

namespace UtilFuncs {

namespace {

std::int32_t busyDepth = 0;
ShellExecuteFn shellExecute = &::ShellExecuteW;

} // namespace

ShellExecuteFn SetShellExecute(ShellExecuteFn fn) noexcept {
    ShellExecuteFn old = shellExecute;
    shellExecute = fn ? fn : &::ShellExecuteW;
    return old;
}

void OpenWithShell(const std::wstring& path) {
    BeginBusy();
    struct LeaveBusy {
        ~LeaveBusy() { EndBusy(); }
    } leave; // also when the shell call throws
    // No directory: a started program inherits the launcher's current directory.
    shellExecute(fw::App().Handle(), L"open", path.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
}

std::wstring AddBackslash(const std::wstring& s) {
    return core::AddBackslash(s);
}

void BeginBusy() {
    ++busyDepth;
    fw::App().SetScreenCursor(fw::crHourGlass);
}

void EndBusy() noexcept {
    if (busyDepth <= 0)
        return;
    if (--busyDepth == 0) {
        try {
            fw::App().SetScreenCursor(fw::crDefault);
        } catch (...) {
            fw::App().HandleException();
        }
    }
}

std::int32_t BusyDepth() noexcept {
    return busyDepth;
}

} // namespace UtilFuncs
