#include "Application.h"

#include "Form.h"

#include <objbase.h>

#include <stdexcept>

namespace fw {

Application& Application::Instance() {
    static Application app;
    return app;
}

Application::Application() : instance_(::GetModuleHandleW(nullptr)) {
    cursors_[crDefault] = ::LoadCursorW(nullptr, IDC_ARROW);
    cursors_[crArrow] = ::LoadCursorW(nullptr, IDC_ARROW);
    cursors_[crHourGlass] = ::LoadCursorW(nullptr, IDC_WAIT);
}

Application::~Application() {
    DestroyForms();
    wnd_.reset();
    if (comInitialized_)
        ::CoUninitialize();
}

void Application::Initialize() {
    if (!comInitialized_)
        comInitialized_ = SUCCEEDED(::CoInitialize(nullptr));
}

LRESULT CALLBACK Application::AppWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    Application& app = Instance();
    if (app.wnd_.get() != wnd)
        return ::DefWindowProcW(wnd, msg, wp, lp);
    try {
        return app.AppWindowMessage(msg, wp, lp);
    } catch (...) {
        app.HandleException();
        return 0;
    }
}

UINT Application::ShowMessage() noexcept {
    static const UINT msg = ::RegisterWindowMessageW(L"Orvalis.ShowApplication");
    return msg;
}

LRESULT Application::AppWindowMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND wnd = wnd_.get();
    if (msg == ShowMessage() && msg != 0) {
        BringToFront();
        return 0;
    }
    switch (msg) {
    case WM_SYSCOMMAND:
        switch (wp & 0xFFF0) {
        case SC_MINIMIZE:
            Minimize();
            return 0;
        case SC_RESTORE:
            Restore();
            return 0;
        case SC_CLOSE:
            if (mainForm_)
                mainForm_->Close();
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        if (mainForm_)
            mainForm_->Close();
        return 0;
    case WM_SETFOCUS:
        // The taskbar window hands the focus on to the main form.
        if (mainForm_ && mainForm_->HandleAllocated() && ::IsWindowVisible(mainForm_->HandleIfAllocated()) &&
            ::IsWindowEnabled(mainForm_->HandleIfAllocated())) {
            ::SetFocus(mainForm_->HandleIfAllocated());
            return 0;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

HWND Application::Handle() {
    if (wnd_)
        return wnd_.get();
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Application::AppWndProc;
        wc.hInstance = instance_;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = ::LoadIconW(instance_, L"MAINICON");
        wc.lpszClassName = kWindowClass;
        if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw std::runtime_error("RegisterClassEx failed");
        registered = true;
    }
    // A zero-size window in the middle of the screen: it only carries the
    // taskbar button and the application's title.
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2, y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    HWND h = ::CreateWindowExW(0, kWindowClass, title_.c_str(),
                               WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0,
                               0, nullptr, nullptr, instance_, nullptr);
    if (!h)
        throw std::runtime_error("Error creating window");
    wnd_.reset(h);
    return h;
}

void Application::SetTitle(const std::wstring& title) {
    title_ = title;
    if (wnd_)
        ::SetWindowTextW(wnd_.get(), title.c_str());
}

HCURSOR Application::GetCursor(CursorId id) const noexcept {
    auto it = cursors_.find(id);
    if (it == cursors_.end() || !it->second)
        return cursors_.at(crDefault);
    return it->second;
}

void Application::SetCursorEntry(CursorId id, HCURSOR cursor) noexcept {
    cursors_[id] = cursor;
}

void Application::SetScreenCursor(CursorId id) {
    screenCursor_ = id;
    if (id != crDefault) {
        ::SetCursor(GetCursor(id));
        return;
    }
    // Cleared: the window under the mouse chooses its cursor again at once, if
    // it is one of ours; otherwise the arrow.
    POINT p;
    ::GetCursorPos(&p);
    HWND h = ::WindowFromPoint(p);
    if (h && ::GetWindowThreadProcessId(h, nullptr) == ::GetCurrentThreadId()) {
        const LRESULT code = ::SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        ::SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(code, WM_MOUSEMOVE));
        return;
    }
    ::SetCursor(GetCursor(crDefault));
}

void Application::AddForm(std::unique_ptr<Form> form) {
    if (!mainForm_)
        mainForm_ = form.get();
    forms_.push_back(std::move(form));
}

void Application::DestroyForms() noexcept {
    while (!forms_.empty())
        forms_.pop_back();
    mainForm_ = nullptr;
    mouseControl_ = nullptr;
}

void Application::Run() {
    if (mainForm_) {
        ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        mainForm_->Show();
    }
    while (!terminated_)
        HandleMessage();
}

bool Application::ProcessOne() {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (!PreTranslate(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

void Application::HandleMessage() {
    try {
        if (!ProcessOne()) {
            Idle();
            if (!terminated_)
                ::WaitMessage();
        }
    } catch (...) {
        HandleException();
    }
}

void Application::ProcessMessages() {
    try {
        while (ProcessOne()) {
        }
    } catch (...) {
        HandleException();
    }
}

void Application::Terminate() noexcept {
    ::PostQuitMessage(0);
}

void Application::Minimize() {
    // Every shown window of the application goes with it, the main form's
    // dialogs too (owned by the main form, not by this window), from the top
    // of the window stack down.
    HWND app = Handle();
    hiddenByMinimize_.clear();
    struct Ctx {
        HWND app;
        std::vector<HWND>* list;
    } ctx{app, &hiddenByMinimize_};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            auto* c = reinterpret_cast<Ctx*>(lp);
            if (h == c->app || !::IsWindowVisible(h))
                return TRUE;
            for (HWND owner = ::GetWindow(h, GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER))
                if (owner == c->app) {
                    c->list->push_back(h);
                    break;
                }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ctx));
    for (HWND h : hiddenByMinimize_)
        ::ShowWindow(h, SW_HIDE);
    ::ShowWindow(app, SW_MINIMIZE);
}

void Application::Restore() {
    HWND app = Handle();
    ::ShowWindow(app, SW_RESTORE);
    // Bottom first, so that they stack as they did.
    for (auto it = hiddenByMinimize_.rbegin(); it != hiddenByMinimize_.rend(); ++it)
        if (::IsWindow(*it))
            ::ShowWindow(*it, SW_SHOWNA);
    hiddenByMinimize_.clear();
    ActivateLastPopup();
}

void Application::BringToFront() {
    if (::IsIconic(Handle())) {
        Restore();
        return;
    }
    ActivateLastPopup();
}

// The application's last active window takes the keyboard: the dialog while
// one is open (the main form is disabled meanwhile), otherwise the main form.
void Application::ActivateLastPopup() {
    if (!mainForm_ || !mainForm_->HandleAllocated())
        return;
    HWND popup = ::GetLastActivePopup(mainForm_->HandleIfAllocated());
    ::SetForegroundWindow(popup && ::IsWindowVisible(popup) ? popup : mainForm_->HandleIfAllocated());
}

Control* Application::FindControlAt(POINT screen) const noexcept {
    HWND h = ::WindowFromPoint(screen);
    // The window under the cursor may be another program's, a second launcher's
    // among them: its window properties hold that program's pointers, not ours.
    if (!h || ::GetWindowThreadProcessId(h, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    WinControl* w = WinControl::FromHandle(h);
    if (!w)
        return nullptr;
    POINT p = screen;
    ::ScreenToClient(h, &p);
    if (Control* c = w->ControlAtPos(p))
        return c;
    return w;
}

void Application::Idle() {
    POINT p;
    if (!::GetCursorPos(&p))
        return;
    Control* c = FindControlAt(p);
    // While a control holds the capture, only it hears of enter and leave.
    if (WinControl* w = WinControl::FromHandle(::GetCapture())) {
        Control* capture = w->CapturedChild() ? w->CapturedChild() : w;
        if (capture != c)
            c = nullptr;
    }
    if (c == mouseControl_)
        return;
    Control* old = mouseControl_;
    mouseControl_ = c;
    if (old)
        old->MouseLeave();
    if (c && c == mouseControl_)
        c->MouseEnter();
}

void Application::ControlDestroying(Control* c) noexcept {
    if (mouseControl_ == c)
        mouseControl_ = nullptr;
}

void Application::HandleException() noexcept {
    std::wstring message = L"Unknown error";
    try {
        throw;
    } catch (const std::exception& e) {
        const char* s = e.what();
        message.assign(s, s + std::char_traits<char>::length(s));
    } catch (...) {
    }
    try {
        if (OnException) {
            OnException(message);
            return;
        }
    } catch (...) {
        return;
    }
    HWND owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->HandleIfAllocated() : wnd_.get();
    ::MessageBoxW(owner, message.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

bool Application::PreTranslate(MSG& msg) {
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        lastInputKeyboard_ = true;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        lastInputKeyboard_ = false;
        break;
    default:
        break;
    }
    WinControl* c = nullptr;
    for (HWND h = msg.hwnd; h && !c; h = ::GetParent(h))
        c = WinControl::FromHandle(h);
    if (!c)
        return false;
    Form* form = c->ParentForm();
    if (!form)
        return false;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        UINT mask = 0;
        switch (msg.wParam) {
        case VK_TAB:
            mask = DLGC_WANTTAB;
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            mask = DLGC_WANTARROWS;
            break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
            mask = DLGC_WANTALLKEYS;
            break;
        default:
            return false;
        }
        // With the message, as the system's dialogs ask, so that a control can
        // claim one key of a kind (a menu button its Down key).
        const bool handled =
            !(::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & mask) &&
            form->DialogKey(static_cast<WORD>(msg.wParam), KeyboardShiftState());
        // Tab and the arrows are keyboard navigation, whoever handles them: the
        // focus cues show from now on.
        if (mask != DLGC_WANTALLKEYS)
            form->ShowFocusCues();
        return handled;
    }
    case WM_CHAR:
        if (::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) &
            DLGC_WANTCHARS)
            return false;
        return form->DialogChar(static_cast<wchar_t>(msg.wParam));
    case WM_SYSCHAR:
        return form->DialogChar(static_cast<wchar_t>(msg.wParam));
    default:
        return false;
    }
}

} // namespace fw
