#include "SingleInstance.h"

#include "Application.h"

#include <string>

namespace fw {

SingleInstance::SingleInstance(const wchar_t* name) {
    // "Local\": the session's namespace, so another user's session has its own.
    const std::wstring full = std::wstring(L"Local\\") + name;
    mutex_.reset(::CreateMutexW(nullptr, FALSE, full.c_str()));
    first_ = !mutex_ || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void SingleInstance::ShowFirst() const {
    for (int tries = 0; tries < 100; ++tries) {
        for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, Application::kWindowClass, nullptr));) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            if (pid == ::GetCurrentProcessId())
                continue;
            // Only the foreground program (this one, just started by the user)
            // may hand the foreground on.
            ::AllowSetForegroundWindow(pid);
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(w, Application::ShowMessage(), 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            return;
        }
        ::Sleep(50);
    }
}

} // namespace fw
