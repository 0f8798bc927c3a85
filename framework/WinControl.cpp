#include "WinControl.h"

#include "AccessibleObject.h"
#include "Application.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <windowsx.h>

namespace fw {

namespace {

constexpr wchar_t kObjectProp[] = L"Orvalis.Control";

void RegisterClassOnce(const CreateParams& p, WNDPROC proc) {
    static std::set<std::wstring> registered;
    if (registered.count(p.className))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = p.classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = p.classCursor ? p.classCursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = p.className.c_str();
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("RegisterClassEx failed");
    registered.insert(p.className);
}

} // namespace

WinControl::WinControl(Control* owner) : Control(owner) {}

WinControl::~WinControl() {
    // Children first, so that no child outlives the window that holds it.
    DestroyChildren();
    DestroyHandle();
}

void WinControl::DestroyChildren() noexcept {
    while (!controls_.empty())
        controls_.pop_back();
}

WinControl* WinControl::FromHandle(HWND wnd) noexcept {
    return wnd ? static_cast<WinControl*>(::GetPropW(wnd, kObjectProp)) : nullptr;
}

void WinControl::CreateParamsFor(CreateParams& p) {
    p.className = L"OrvalisWinControl";
    p.x = Left();
    p.y = Top();
    p.width = Width();
    p.height = Height();
    p.caption = Text();
    if (Visible())
        p.style |= WS_VISIBLE;
    if (!Enabled())
        p.style |= WS_DISABLED;
    if (Parent())
        p.parent = Parent()->Handle();
}

HWND WinControl::Handle() {
    if (wnd_)
        return wnd_.get();
    if (Parent() && !Parent()->HandleAllocated()) {
        Parent()->Handle(); // creates this window too, with the parent's children
        if (wnd_)
            return wnd_.get();
    }
    CreateParams p;
    CreateParamsFor(p);
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    if (p.systemClass) {
        HWND h = ::CreateWindowExW(p.exStyle, p.systemClass, p.caption.c_str(), p.style, p.x, p.y, p.width,
                                   p.height, p.parent, nullptr, inst, nullptr);
        if (!h)
            throw std::runtime_error("Error creating window");
        wnd_.reset(h);
        ::SetPropW(h, kObjectProp, this);
        systemProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinControl::StaticWndProc)));
    } else {
        RegisterClassOnce(p, &WinControl::StaticWndProc);
        HWND h = ::CreateWindowExW(p.exStyle, p.className.c_str(), p.caption.c_str(), p.style, p.x, p.y,
                                   p.width, p.height, p.parent, nullptr, inst, this);
        if (!h)
            throw std::runtime_error("Error creating window");
    }
    // Windows puts a new child at the bottom of its siblings' z-order; later
    // children must lie on top of earlier ones, for painting and for the mouse.
    if (p.style & WS_CHILD)
        ::SetWindowPos(wnd_.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateBoundsFromWindow();
    CreateWnd();
    CreateChildHandles();
    return wnd_.get();
}

void WinControl::CreateChildHandles() {
    for (auto& c : controls_)
        if (WinControl* w = c->AsWinControl())
            w->Handle();
}

void WinControl::DestroyHandle() noexcept {
    if (!wnd_)
        return;
    // Messages sent while the window goes away must not reach an object that is
    // half destroyed, so it is detached first.
    UniqueWindow wnd(wnd_.release());
    DisconnectAccessible(accessible_);
    if (systemProc_)
        ::SetWindowLongPtrW(wnd.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    ::RemovePropW(wnd.get(), kObjectProp);
    systemProc_ = nullptr;
    for (auto& c : controls_)
        c->CaptureLost();
    buffer_.Reset();
    wnd.reset();
}

LRESULT CALLBACK WinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    WinControl* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<WinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (self) {
            ::SetPropW(wnd, kObjectProp, self);
            self->wnd_.reset(wnd);
        }
    } else {
        self = FromHandle(wnd);
    }
    if (!self)
        return ::DefWindowProcW(wnd, msg, wp, lp);
    const LRESULT r = self->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        // The system destroyed the window (e.g. with its parent): forget it.
        ::RemovePropW(wnd, kObjectProp);
        if (self->wnd_.get() == wnd) {
            self->wnd_.release();
            DisconnectAccessible(self->accessible_);
        }
    }
    return r;
}

LRESULT WinControl::Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept {
    try {
        return WndProc(msg, wp, lp);
    } catch (...) {
        Application::Instance().HandleException();
        return 0;
    }
}

LRESULT WinControl::DefWndProc(UINT msg, WPARAM wp, LPARAM lp) noexcept {
    HWND wnd = wnd_.get();
    if (systemProc_)
        return ::CallWindowProcW(systemProc_, wnd, msg, wp, lp);
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

void WinControl::EraseBackground(Canvas& canvas) {
    canvas.FillRect(ClientRect(), GetColor());
}

void WinControl::PaintTo(HDC dc, const RECT& clip) {
    {
        Canvas canvas(dc);
        EraseBackground(canvas);
        PaintWindow(canvas);
    }
    PaintControls(dc, &clip);
}

void WinControl::PaintControls(HDC dc, const RECT* clip) {
    for (auto& c : controls_) {
        if (c->IsWindowed() || !c->Visible())
            continue;
        RECT b = c->BoundsRect(), tmp;
        if (clip && !::IntersectRect(&tmp, &b, clip))
            continue;
        ScopedSaveDC save(dc);
        ::IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
        POINT org;
        ::OffsetViewportOrgEx(dc, b.left, b.top, &org);
        Canvas canvas(dc);
        canvas.SetFont(c->GetFont());
        c->Paint(canvas);
    }
}

Control* WinControl::ControlAtPos(POINT p) const noexcept {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = it->get();
        if (c->IsWindowed() || !c->Visible() || !c->Enabled())
            continue;
        const RECT b = c->BoundsRect();
        if (::PtInRect(&b, p))
            return c;
    }
    return nullptr;
}

bool WinControl::RouteMouseToChild(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    Control* target = ::GetCapture() == wnd_.get() ? CapturedChild() : nullptr;
    if (!target)
        target = ControlAtPos(p);
    if (!target)
        return false;
    target->HandleMouseMessage(msg, wp, p.x - target->Left(), p.y - target->Top());
    return true;
}

WinControl* WinControl::ReflectionTarget(UINT msg, LPARAM lp) const noexcept {
    HWND from = nullptr;
    if (msg == WM_COMMAND)
        from = reinterpret_cast<HWND>(lp);
    else if (msg == WM_NOTIFY)
        from = reinterpret_cast<const NMHDR*>(lp)->hwndFrom;
    else if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)
        from = reinterpret_cast<HWND>(lp);
    WinControl* c = FromHandle(from);
    return c != this ? c : nullptr;
}

LRESULT WinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // System controls report to their parent window; the control itself handles the report.
    if (WinControl* child = ReflectionTarget(msg, lp)) {
        LRESULT result = 0;
        if (child->Reflected(msg, wp, lp, result))
            return result;
    }
    if (msg == AccessibleActionMessage()) {
        RunAccessibleAction(*this, wp);
        return 0;
    }
    switch (msg) {
    case WM_GETOBJECT:
        // lParam is a 32-bit object id, whatever the width of LPARAM.
        if (static_cast<LONG>(static_cast<DWORD>(lp)) == OBJID_CLIENT) {
            if (IAccessible* acc = AccessibleObjectOf(*this)) {
                const LRESULT r = syslib::LresultFromObject(__uuidof(IAccessible), wp, acc);
                acc->Release();
                return r;
            }
        }
        break;
    case WM_CHANGEUISTATE:
        // A child window hands the request to its parent; the top-level window decides.
        if (HWND parent = ::GetParent(wnd_.get());
            parent && (::GetWindowLongW(wnd_.get(), GWL_STYLE) & WS_CHILD)) {
            ::SendMessageW(parent, WM_CHANGEUISTATE, wp, lp);
            return 0;
        }
        break;
    case WM_PAINT: {
        if (systemProc_)
            break; // a system control paints itself
        if (wp) {  // painting into a DC that someone else provides
            RECT clip;
            ::GetClipBox(reinterpret_cast<HDC>(wp), &clip);
            PaintTo(reinterpret_cast<HDC>(wp), clip);
            return 0;
        }
        inBeginPaint_ = true;
        PaintDC pdc(wnd_.get());
        inBeginPaint_ = false;
        // Background, face and windowless children go into the buffer, then one blit.
        const RECT client = ClientRect();
        buffer_.Paint(pdc.get(), SIZE{client.right, client.bottom}, pdc.rect(),
                      [&](Canvas& buffer) { PaintTo(buffer.Handle(), pdc.rect()); });
        return 0;
    }
    case WM_ERASEBKGND: {
        if (systemProc_)
            break;
        if (inBeginPaint_)
            return 1; // the paint's buffer draws the background
        Canvas canvas(reinterpret_cast<HDC>(wp));
        EraseBackground(canvas);
        return 1;
    }
    case WM_SETCURSOR: {
        if (reinterpret_cast<HWND>(wp) != wnd_.get() || LOWORD(lp) != HTCLIENT)
            break;
        Application& app = Application::Instance();
        if (app.ScreenCursor() != crDefault) {
            ::SetCursor(app.GetCursor(app.ScreenCursor()));
            return TRUE;
        }
        POINT p;
        ::GetCursorPos(&p);
        ::ScreenToClient(wnd_.get(), &p);
        Control* c = ControlAtPos(p);
        const CursorId id = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
        if (id != crDefault) {
            ::SetCursor(app.GetCursor(id));
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            // The leave message only wakes the loop, whose idle step then finds
            // that the cursor has left.
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, wnd_.get(), 0};
            trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (!RouteMouseToChild(msg, wp, lp))
            HandleMouseMessage(msg, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        if (systemProc_)
            break;
        return 0;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        return 0;
    case WM_CAPTURECHANGED:
        for (auto& c : controls_)
            c->CaptureLost();
        CaptureLost();
        break;
    case WM_SETFOCUS:
        if (WinControl* p = Parent())
            p->ControlFocused(*this);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(wp);
        KeyDown(key, KeyboardShiftState());
        if (key == 0)
            return 0;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(wp);
        KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return 0;
        break;
    }
    case WM_CHAR: {
        wchar_t ch = static_cast<wchar_t>(wp);
        KeyPress(ch);
        if (ch == 0)
            return 0;
        wp = ch;
        break;
    }
    case WM_WINDOWPOSCHANGED:
        UpdateBoundsFromWindow();
        break;
    default:
        break;
    }
    return DefWndProc(msg, wp, lp);
}

void WinControl::UpdateBoundsFromWindow() {
    if (!wnd_)
        return;
    RECT r;
    ::GetWindowRect(wnd_.get(), &r);
    if (HWND parent = ::GetParent(wnd_.get()); parent && (::GetWindowLongW(wnd_.get(), GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void WinControl::InsertControl(std::unique_ptr<Control> child) {
    Control& c = *child;
    c.SetParent(this);
    WinControl* w = c.AsWinControl();
    if (w && w->tabOrder_ < 0)
        w->tabOrder_ = static_cast<int>(
            std::count_if(controls_.begin(), controls_.end(), [](auto& x) { return x->IsWindowed(); }));
    controls_.push_back(std::move(child));
    if (w && wnd_)
        w->Handle();
    else
        c.Invalidate();
}

void WinControl::ChildrenFontChanged() {
    for (auto& c : controls_)
        c->ParentFontChanged(GetFont());
}

void WinControl::ChildrenColorChanged() {
    for (auto& c : controls_)
        c->ParentColorChanged(GetColor());
}

void WinControl::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    StoreBounds(left, top, width, height);
    if (wnd_)
        ::SetWindowPos(wnd_.get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WinControl::ClientRect() const noexcept {
    if (wnd_) {
        RECT r;
        ::GetClientRect(wnd_.get(), &r);
        return r;
    }
    return Control::ClientRect();
}

void WinControl::SetVisible(bool v) {
    if (v == Visible())
        return;
    SetVisibleFlag(v);
    if (wnd_)
        ::ShowWindow(wnd_.get(), v ? SW_SHOW : SW_HIDE);
    else if (v && Parent() && Parent()->HandleAllocated())
        Handle();
}

void WinControl::SetEnabled(bool e) {
    if (e == Enabled())
        return;
    SetEnabledFlag(e);
    if (wnd_)
        ::EnableWindow(wnd_.get(), e);
    EnabledChanged();
    Invalidate();
}

void WinControl::SetText(const std::wstring& text) {
    if (text == Text())
        return;
    StoreText(text);
    if (wnd_)
        ::SetWindowTextW(wnd_.get(), text.c_str());
    TextChanged();
    if (AccessibleRole() != AccRole::None && AccessibleName() == text)
        NotifyAccessibleEvent(*this, EVENT_OBJECT_NAMECHANGE);
}

void WinControl::UIStateChanged() {
    for (auto& c : controls_)
        c->UIStateChanged();
}

AccStates WinControl::AccessibleStates() const noexcept {
    AccStates s = Control::AccessibleStates();
    if (wnd_) {
        if (!::IsWindowVisible(wnd_.get()))
            s |= acc::Invisible;
        if (!::IsWindowEnabled(wnd_.get()))
            s |= acc::Unavailable;
    }
    if (TabStop() && !(s & (acc::Invisible | acc::Unavailable)))
        s |= acc::Focusable;
    if (Focused())
        s |= acc::Focused;
    return s;
}

RECT WinControl::AccessibleBounds() const noexcept {
    RECT r{};
    if (wnd_)
        ::GetWindowRect(wnd_.get(), &r);
    return r;
}

void WinControl::Invalidate() {
    if (wnd_)
        ::InvalidateRect(wnd_.get(), nullptr, FALSE);
}

void WinControl::Repaint() {
    if (!wnd_)
        return;
    ::InvalidateRect(wnd_.get(), nullptr, FALSE);
    ::UpdateWindow(wnd_.get());
}

void WinControl::SetTabOrder(int order) {
    tabOrder_ = order;
}

bool WinControl::Focused() const noexcept {
    return wnd_ && ::GetFocus() == wnd_.get();
}

bool WinControl::CanFocus() const noexcept {
    if (!ParentForm())
        return false;
    // Forms lie at the top of their chains: every control below must show.
    for (const Control* c = this; c->Parent(); c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void WinControl::SetFocus() {
    if (!CanFocus())
        throw std::runtime_error("Cannot focus a disabled or invisible window");
    if (WinControl* p = Parent(); p && p->DeferFocus(*this))
        return;
    ::SetFocus(Handle());
}

Control* WinControl::CapturedChild() const noexcept {
    for (auto& c : controls_)
        if (c->HoldsParentCapture())
            return c.get();
    return nullptr;
}

void WinControl::TabOrderList(std::vector<WinControl*>& out) const {
    for (WinControl* c : TabList()) {
        out.push_back(c);
        c->TabOrderList(out);
    }
}

WinControl* WinControl::FindNextControl(WinControl* current, bool forward, bool checkTabStop,
                                        bool checkParent) const {
    std::vector<WinControl*> list;
    TabOrderList(list);
    if (list.empty())
        return nullptr;
    const int n = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == n)
        start = forward ? n - 1 : 0; // no current control: begin at the first (or last)
    for (int step = 1; step <= n; ++step) {
        WinControl* c = list[((start + (forward ? step : -step)) % n + n) % n];
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void WinControl::SelectNext(WinControl* current, bool forward, bool checkTabStop) {
    if (WinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop))
        next->SetFocus();
}

std::vector<WinControl*> WinControl::TabList() const {
    std::vector<WinControl*> list;
    for (auto& c : controls_)
        if (WinControl* w = c->AsWinControl())
            list.push_back(w);
    std::stable_sort(list.begin(), list.end(), [](auto* a, auto* b) { return a->tabOrder_ < b->tabOrder_; });
    return list;
}

bool WinControl::DialogKey(WORD key, ShiftState shift) {
    for (auto& c : controls_)
        if (c->DialogKey(key, shift))
            return true;
    return false;
}

bool WinControl::DialogChar(wchar_t ch) {
    for (auto& c : controls_)
        if (c->DialogChar(ch))
            return true;
    return false;
}

void WinControl::FocusChanged(Control* focused) {
    for (auto& c : controls_)
        c->FocusChanged(focused);
}

void WinControl::KeyDown(WORD& key, ShiftState shift) {
    if (OnKeyDown)
        OnKeyDown(*this, key, shift);
}

void WinControl::KeyUp(WORD& key, ShiftState shift) {
    if (OnKeyUp)
        OnKeyUp(*this, key, shift);
}

void WinControl::KeyPress(wchar_t& key) {
    if (OnKeyPress)
        OnKeyPress(*this, key);
}

} // namespace fw
