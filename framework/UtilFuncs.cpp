#include "UtilFuncs.h"

#include "Application.h"
#include "SystemLibraries.h"

#include "core/Path.h"
#include "core/ShellTarget.h"

#include <shlobj.h>

#include <memory>

namespace UtilFuncs {

namespace {

// The shell's library is loaded when it is first asked for something, from
// the system folder only: the launcher starts sooner without it.
template <typename Fn> Fn* ShellProc(const char* name) {
    static const HMODULE lib = fw::syslib::LoadSystemLibrary(L"shell32.dll");
    return fw::syslib::Proc<Fn>(lib, name);
}

BOOL WINAPI SystemShellExecuteEx(SHELLEXECUTEINFOW* info) {
    static auto* fn = ShellProc<BOOL WINAPI(SHELLEXECUTEINFOW*)>("ShellExecuteExW");
    if (!fn) {
        info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
        ::SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    return fn(info);
}

std::int32_t busyDepth = 0;
ShellExecuteExFn shellExecuteEx = &SystemShellExecuteEx;

struct BusySection {
    BusySection() { BeginBusy(); }
    ~BusySection() { EndBusy(); } // also when the shell call throws
    BusySection(const BusySection&) = delete;
    BusySection& operator=(const BusySection&) = delete;
};

// "open" with what a plain shell request has: the application's window as
// owner (the one with the taskbar button), no parameters, no directory (a
// started program inherits our current directory), SW_SHOWDEFAULT, no error
// box of the shell's own, and the request finished when the call returns.
SHELLEXECUTEINFOW OpenRequest() {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = fw::Application::Instance().Handle();
    info.lpVerb = L"open";
    info.nShow = SW_SHOWDEFAULT;
    return info;
}

DWORD Attributes(const std::wstring& path) {
    return ::GetFileAttributesW(core::ExtendedLengthPath(path).c_str());
}

std::wstring ShortForm(const std::wstring& path) {
    const std::wstring full = core::ExtendedLengthPath(path);
    std::wstring out(core::kMaxPath, L'\0');
    for (int tries = 0; tries < 4; ++tries) {
        const DWORD n = ::GetShortPathNameW(full.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (n == 0)
            return {};
        if (n < out.size()) {
            out.resize(n);
            return core::WithoutExtendedPrefix(out);
        }
        out.resize(n);
    }
    return {};
}

std::wstring Expanded(const std::wstring& path) {
    const DWORD n = ::ExpandEnvironmentStringsW(path.c_str(), nullptr, 0);
    if (n == 0)
        return path;
    std::wstring out(n, L'\0');
    const DWORD m = ::ExpandEnvironmentStringsW(path.c_str(), out.data(), n);
    if (m == 0 || m > n)
        return path;
    out.resize(m - 1);
    return out;
}

struct IdListFree {
    void operator()(ITEMIDLIST* p) const noexcept { ::CoTaskMemFree(p); }
};

} // namespace

ShellExecuteExFn SetShellExecuteEx(ShellExecuteExFn fn) noexcept {
    ShellExecuteExFn old = shellExecuteEx;
    shellExecuteEx = fn ? fn : &SystemShellExecuteEx;
    return old;
}

void OpenWithShell(const std::wstring& path) {
    BusySection busy;
    SHELLEXECUTEINFOW info = OpenRequest();
    info.lpFile = path.c_str();
    shellExecuteEx(&info);
}

void OpenFileWithShell(const std::wstring& path) {
    BusySection busy;
    const std::wstring file = core::WithoutExtendedPrefix(path);
    // A folder of that name would open a file-manager window.
    const DWORD attributes = Attributes(file);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    const core::ShellTarget target =
        core::ChooseShellTarget(file, ShortForm(file), Expanded, [](const std::wstring& p) {
            return Attributes(p) != INVALID_FILE_ATTRIBUTES;
        });
    SHELLEXECUTEINFOW info = OpenRequest();
    std::unique_ptr<ITEMIDLIST, IdListFree> idList;
    switch (target.route) {
    case core::ShellRoute::None:
        return;
    case core::ShellRoute::ShortPath:
        info.lpFile = target.path.c_str();
        break;
    case core::ShellRoute::ItemIdList: {
        using ParseFn = HRESULT WINAPI(PCWSTR, IBindCtx*, PIDLIST_ABSOLUTE*, SFGAOF, SFGAOF*);
        static auto* parse = ShellProc<ParseFn>("SHParseDisplayName");
        PIDLIST_ABSOLUTE list = nullptr;
        if (!parse || FAILED(parse(target.path.c_str(), nullptr, &list, 0, nullptr)) || !list)
            return;
        idList.reset(list);
        info.fMask |= SEE_MASK_IDLIST;
        info.lpIDList = list;
        break;
    }
    }
    shellExecuteEx(&info);
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
