#include "Form.h"

#include "Application.h"
#include "Dpi.h"

#include "core/FocusRows.h"

#include <stdexcept>
#include <vector>

namespace fw {

namespace {
// Sent by Windows 10 from version 1703 on; the headers give it only to builds for that version.
constexpr UINT kGetDpiScaledSize = 0x02E4; // WM_GETDPISCALEDSIZE
} // namespace

Form::Form(Control* owner) : WinControl(owner), dpi_(SystemDpi()) {
    SetVisibleFlag(false);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
}

Form::~Form() {
    // Destroy the children while this is still a Form, so that they can tell it.
    focused_ = nullptr;
    DestroyChildren();
    focused_ = nullptr;
    Application::Instance().ControlDestroying(this);
}

void Form::ChildDestroying(Control& child) noexcept {
    if (focused_ == &child)
        focused_ = nullptr;
    Application::Instance().ControlDestroying(&child);
}

void Form::ControlFocused(WinControl& control) {
    SetFocusedControl(&control);
}

bool Form::DeferFocus(WinControl& control) {
    if (active_)
        return false;
    SetFocusedControl(&control);
    return true;
}

void Form::LeftPressStarting() {
    SendCancelMode();
    WinControl::LeftPressStarting();
}

PopupMenu& Form::CreatePopupMenu(std::wstring name) {
    // Command ids of menus stay below the system's own (0xF000 and up).
    constexpr UINT kFirstMenuCommand = 0x7000;
    const UINT first = kFirstMenuCommand + static_cast<UINT>(menus_.size()) * PopupMenu::kCommandRange;
    if (first + PopupMenu::kCommandRange > 0xF000)
        throw std::length_error("Too many menus on one form");
    menus_.push_back(std::make_unique<PopupMenu>(std::move(name), first));
    return *menus_.back();
}

DWORD Form::StyleBits() const noexcept {
    DWORD style = WS_CLIPCHILDREN;
    switch (borderStyle_) {
    case BorderStyle::None:
        return style | WS_POPUP;
    case BorderStyle::Single:
        style |= WS_CAPTION;
        break;
    case BorderStyle::Sizeable:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case BorderStyle::Dialog:
        style |= WS_CAPTION | DS_MODALFRAME;
        break;
    }
    if (borderIcons_.systemMenu)
        style |= WS_SYSMENU;
    if (borderStyle_ != BorderStyle::Dialog) {
        if (borderIcons_.minimize)
            style |= WS_MINIMIZEBOX;
        if (borderIcons_.maximize)
            style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD Form::ExStyleBits() const noexcept {
    return borderStyle_ == BorderStyle::Dialog ? WS_EX_DLGMODALFRAME : 0;
}

void Form::CreateParamsFor(CreateParams& p) {
    WinControl::CreateParamsFor(p);
    p.className = L"OrvalisForm";
    p.classStyle = CS_DBLCLKS;
    p.style = StyleBits();
    if (Visible())
        p.style |= WS_VISIBLE;
    p.exStyle = ExStyleBits();
    auto* ownerForm = dynamic_cast<Form*>(Owner());
    p.parent = ownerForm ? ownerForm->Handle() : Application::Instance().Handle();
}

SIZE Form::FrameSize() const noexcept {
    if (HWND h = HandleIfAllocated()) {
        RECT w, c;
        ::GetWindowRect(h, &w);
        ::GetClientRect(h, &c);
        return {(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
    }
    RECT r{0, 0, 0, 0};
    AdjustWindowRectForDpi(r, StyleBits(), ExStyleBits(), dpi_);
    return {r.right - r.left, r.bottom - r.top};
}

int Form::ClientWidth() const noexcept {
    return Width() - FrameSize().cx;
}
int Form::ClientHeight() const noexcept {
    return Height() - FrameSize().cy;
}
void Form::SetClientWidth(int w) {
    SetBounds(Left(), Top(), w + FrameSize().cx, Height());
}
void Form::SetClientHeight(int h) {
    SetBounds(Left(), Top(), Width(), h + FrameSize().cy);
}
RECT Form::ClientRect() const noexcept {
    return {0, 0, ClientWidth(), ClientHeight()};
}

void Form::ApplyStyle() {
    HWND h = HandleIfAllocated();
    if (!h)
        return;
    const DWORD keep = static_cast<DWORD>(::GetWindowLongW(h, GWL_STYLE)) & (WS_VISIBLE | WS_DISABLED);
    ::SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(StyleBits() | keep));
    ::SetWindowLongW(h, GWL_EXSTYLE, static_cast<LONG>(ExStyleBits()));
    ::SetWindowPos(h, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetBorderStyle(BorderStyle s) {
    borderStyle_ = s;
    ApplyStyle();
}

void Form::SetBorderIcons(const BorderIcons& icons) {
    borderIcons_ = icons;
    ApplyStyle();
}

void Form::SetIcon(HICON big, HICON small) noexcept {
    bigIcon_ = big;
    smallIcon_ = small;
    if (HWND h = HandleIfAllocated()) {
        ::SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
        ::SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

void Form::CreateWnd() {
    // The size was reckoned with the frame of the form's scale; a window that came up
    // with another frame (on a monitor of another scale) keeps the client size asked for.
    RECT predicted{0, 0, 0, 0};
    AdjustWindowRectForDpi(predicted, StyleBits(), ExStyleBits(), dpi_);
    const SIZE frame = FrameSize();
    const int dx = frame.cx - (predicted.right - predicted.left),
              dy = frame.cy - (predicted.bottom - predicted.top);
    if (dx != 0 || dy != 0)
        SetBounds(Left(), Top(), Width() + dx, Height() + dy);
    // Icons given before the window existed.
    if (bigIcon_ || smallIcon_)
        SetIcon(bigIcon_, smallIcon_);
}

void Form::SetVisible(bool v) {
    if (v) {
        HWND h = Handle();
        if (!uiStateInitialized_) {
            // Once, with all the controls there: the system sets the state by
            // the last input, as it does for a dialog.
            uiStateInitialized_ = true;
            ::SendMessageW(h, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS), 0);
        }
        SetVisibleFlag(true);
        ::ShowWindow(h, SW_SHOW);
        // The face first: otherwise the children may paint over a still black window.
        ::UpdateWindow(h);
    } else {
        SetVisibleFlag(false);
        if (HWND h = HandleIfAllocated())
            ::ShowWindow(h, SW_HIDE);
    }
}

void Form::Show() {
    SetVisible(true);
    ::SetForegroundWindow(Handle());
}

void Form::Hide() {
    SetVisible(false);
}

void Form::Close() {
    if (modal_)
        modalResult_ = mrCancel;
    else if (Application::Instance().MainForm() == this)
        Application::Instance().Terminate();
    else
        Hide();
}

namespace {

struct DisabledWindows {
    HWND except;
    std::vector<HWND> list;
};

BOOL CALLBACK DisableOne(HWND h, LPARAM lp) {
    auto* d = reinterpret_cast<DisabledWindows*>(lp);
    if (h != d->except && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) {
        ::EnableWindow(h, FALSE);
        d->list.push_back(h);
    }
    return TRUE;
}

} // namespace

int Form::ShowModal() {
    if (Visible() || modal_)
        throw std::runtime_error("Cannot make a visible window modal");
    if (::GetCapture())
        ::SendMessageW(::GetCapture(), WM_CANCELMODE, 0, 0);
    ::ReleaseCapture();
    Application& app = Application::Instance();
    HWND self = Handle();
    DisabledWindows disabled{self, {}};
    ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabled));
    modal_ = true;
    modalResult_ = mrNone;
    // Whatever ends the loop, the other windows are enabled again before the
    // form hides, so that activation returns to the owner.
    struct Restore {
        Form& form;
        DisabledWindows& disabled;
        ~Restore() {
            for (HWND h : disabled.list)
                if (::IsWindow(h))
                    ::EnableWindow(h, TRUE);
            form.Hide();
            form.modal_ = false;
        }
    } restore{*this, disabled};
    Show();
    while (modalResult_ == mrNone) {
        app.HandleMessage();
        if (app.Terminated())
            modalResult_ = mrCancel;
    }
    return modalResult_;
}

void Form::SetFocusedControl(WinControl* c) {
    if (c == this)
        c = nullptr;
    if (focused_ == c)
        return;
    focused_ = c;
    focusFromKeyboard_ = navigating_;
    FocusChanged(c);
}

bool Form::FocusCuesShown() const noexcept {
    if (!(uiState_ & UISF_HIDEFOCUS))
        return true;
    BOOL always = FALSE;
    return ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

void Form::ShowFocusCues() {
    if (HWND h = HandleIfAllocated())
        ::SendMessageW(h, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

LRESULT Form::ChangeUIState(WORD action, WORD flags) {
    flags &= UISF_HIDEFOCUS | UISF_HIDEACCEL | UISF_ACTIVE;
    if (action == UIS_INITIALIZE)
        action = Application::Instance().LastInputFromKeyboard() ? UIS_CLEAR : UIS_SET;
    if (action != UIS_SET && action != UIS_CLEAR)
        return 0;
    const WORD next = static_cast<WORD>(action == UIS_SET ? uiState_ | flags : uiState_ & ~flags);
    // Only what changes goes down to the windows, as the system does it.
    if (const WORD changed = static_cast<WORD>(next ^ uiState_))
        ::SendMessageW(HandleIfAllocated(), WM_UPDATEUISTATE, MAKEWPARAM(action, changed), 0);
    return 0;
}

LRESULT Form::UpdateUIState(WPARAM wp, LPARAM lp) {
    const WORD action = LOWORD(wp);
    const WORD flags = HIWORD(wp) & (UISF_HIDEFOCUS | UISF_HIDEACCEL | UISF_ACTIVE);
    const bool before = FocusCuesShown();
    if (action == UIS_SET)
        uiState_ = static_cast<WORD>(uiState_ | flags);
    else if (action == UIS_CLEAR)
        uiState_ = static_cast<WORD>(uiState_ & ~flags);
    // The system's own handling passes the state on to the system controls.
    const LRESULT r = WinControl::WndProc(WM_UPDATEUISTATE, wp, lp);
    if (FocusCuesShown() != before)
        UIStateChanged();
    return r;
}

void Form::MoveFocusByArrow(WORD key) {
    WinControl* parent = focused_->Parent();
    if (!parent)
        return;
    if (arrowKeys_ == ArrowKeys::TabOrder) {
        parent->SelectNext(focused_, key == VK_RIGHT || key == VK_DOWN, false);
        return;
    }
    std::vector<WinControl*> candidates;
    std::vector<core::Box> boxes;
    int from = -1;
    for (const auto& c : parent->Controls()) {
        WinControl* w = c->AsWinControl();
        if (!w || (w != focused_ && !w->CanFocus()))
            continue;
        if (w == focused_)
            from = static_cast<int>(candidates.size());
        candidates.push_back(w);
        const RECT b = w->BoundsRect();
        boxes.push_back({b.left, b.top, b.right, b.bottom});
    }
    const core::Arrow arrow = key == VK_LEFT    ? core::Arrow::Left
                              : key == VK_RIGHT ? core::Arrow::Right
                              : key == VK_UP    ? core::Arrow::Up
                                                : core::Arrow::Down;
    const int to = core::RowNeighbour(boxes, from, arrow);
    if (to >= 0 && candidates[static_cast<size_t>(to)] != focused_)
        candidates[static_cast<size_t>(to)]->SetFocus();
}

void Form::SelectFirst() {
    if (WinControl* c = FindNextControl(nullptr, true, true, false))
        c->SetFocus();
}

void Form::SendCancelMode() {
    if (active_ && focused_)
        focused_->CancelMode();
}

void Form::ActivateFocus() {
    // The form gives the focus back to its focused control, or to the first
    // control in tab order when none has had it yet.
    if (focused_ && focused_->CanFocus() && focused_->HandleAllocated()) {
        ::SetFocus(focused_->HandleIfAllocated());
        return;
    }
    focused_ = nullptr;
    if (WinControl* c = FindNextControl(nullptr, true, true, false)) {
        ::SetFocus(c->Handle());
        return;
    }
    ::SetFocus(HandleIfAllocated());
}

bool Form::DialogKey(WORD key, ShiftState shift) {
    if (!(shift & ssAlt)) {
        // The focus that these keys move counts as reached from the keyboard.
        struct Navigating {
            bool& flag;
            explicit Navigating(bool& f) : flag(f) { flag = true; }
            ~Navigating() { flag = false; }
        };
        if (key == VK_TAB && !(shift & ssCtrl)) {
            Navigating n(navigating_);
            SelectNext(focused_, !(shift & ssShift), true);
            return true;
        }
        if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
            if (!focused_)
                return false;
            Navigating n(navigating_);
            MoveFocusByArrow(key);
            return true;
        }
    }
    return WinControl::DialogKey(key, shift);
}

void Form::DpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetBounds(suggested.left, suggested.top, suggested.right - suggested.left,
              suggested.bottom - suggested.top);
}

bool Form::ScaledWindowSize(int, SIZE&) {
    return false;
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_CHANGEUISTATE:
        return ChangeUIState(LOWORD(wp), HIWORD(wp));
    case WM_UPDATEUISTATE:
        return UpdateUIState(wp, lp);
    case WM_QUERYUISTATE:
        return uiState_;
    case WM_SETTINGCHANGE:
        if (wp == SPI_SETKEYBOARDCUES)
            UIStateChanged();
        break;
    case WM_ACTIVATE:
        active_ = LOWORD(wp) != WA_INACTIVE;
        if (active_ && !HIWORD(wp)) {
            ActivateFocus();
            return 0;
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        SendCancelMode();
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_MINIMIZE && Application::Instance().MainForm() == this) {
            Application::Instance().Minimize();
            return 0;
        }
        break;
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case kGetDpiScaledSize:
        return ScaledWindowSize(static_cast<int>(wp), *reinterpret_cast<SIZE*>(lp)) ? TRUE : FALSE;
    case WM_COMMAND:
        // The entry chosen in one of the form's popup menus, posted after the menu closed.
        if (lp == 0 && HIWORD(wp) == 0)
            for (auto& menu : menus_)
                if (MenuItem* item = menu->FindCommand(LOWORD(wp))) {
                    item->Click();
                    return 0;
                }
        break;
    default:
        break;
    }
    return WinControl::WndProc(msg, wp, lp);
}

} // namespace fw
