#include "UtilFuncs.h"

#include "Application.h"

#include "core/Path.h"

#include <shellapi.h>

namespace UtilFuncs {

namespace {

// The shell's library is loaded when it is first asked for something, from
// the system folder only: the launcher starts sooner without it, and no
// library of that name beside the launcher is ever taken for it.
HINSTANCE WINAPI SystemShellExecute(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                    LPCWSTR directory, INT showCommand) {
    static const ShellExecuteFn shell = [] {
        HMODULE lib = ::LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        FARPROC proc = lib ? ::GetProcAddress(lib, "ShellExecuteW") : nullptr;
        return reinterpret_cast<ShellExecuteFn>(reinterpret_cast<void (*)()>(proc));
    }();
    if (!shell)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
    return shell(owner, operation, file, parameters, directory, showCommand);
}

std::int32_t busyDepth = 0;
ShellExecuteFn shellExecute = &SystemShellExecute;

} // namespace

ShellExecuteFn SetShellExecute(ShellExecuteFn fn) noexcept {
    ShellExecuteFn old = shellExecute;
    shellExecute = fn ? fn : &SystemShellExecute;
    return old;
}

void OpenWithShell(const std::wstring& path) {
    BeginBusy();
    struct LeaveBusy {
        ~LeaveBusy() { EndBusy(); }
    } leave; // also when the shell call throws
    // No directory: a started program inherits the launcher's current directory.
    shellExecute(fw::Application::Instance().Handle(), L"open", path.c_str(), nullptr, nullptr,
                 SW_SHOWDEFAULT);
}

std::wstring AddBackslash(const std::wstring& s) {
    return core::AddBackslash(s);
}

void BeginBusy() {
    ++busyDepth;
    fw::Application::Instance().SetScreenCursor(fw::crHourGlass);
}

void EndBusy() noexcept {
    if (busyDepth <= 0)
        return;
    if (--busyDepth == 0) {
        try {
            fw::Application::Instance().SetScreenCursor(fw::crDefault);
        } catch (...) {
            fw::Application::Instance().HandleException();
        }
    }
}

std::int32_t BusyDepth() noexcept {
    return busyDepth;
}

} // namespace UtilFuncs
