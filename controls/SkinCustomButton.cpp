#include "SkinCustomButton.h"

#include "framework/SystemLibraries.h"

#include "core/Accelerator.h"
#include "framework/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace controls {

namespace {

constexpr UINT_PTR kRepeatTimerId = 1;
// The face of a state whose picture cannot be made into a bitmap.
constexpr int kFallbackWidth = 74;
constexpr int kFallbackHeight = 21;

TSkinUIStyle InitialStyle(fw::Control* owner) {
    // A themed panel on the owner form decides the style of the form's buttons.
    if (auto* form = dynamic_cast<fw::Form*>(owner))
        for (const auto& c : form->Controls())
            if (auto* panel = dynamic_cast<const TThemedFormPanel*>(c.get()))
                return panel->UIStyle();
    return TSkinUIStyle::Navy;
}

// The greyed rendering of a disabled button's picture; pixels of the mask
// colour stay as they are, so that masking still leaves them out.
void GreyOut(fw::Bitmap& bmp, COLORREF mask) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const COLORREF c = bmp.Pixel(x, y);
            if (c == mask)
                continue;
            const int lum = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
            BYTE v = static_cast<BYTE>(128 + lum / 2);
            if (RGB(v, v, v) == mask)
                --v;
            bmp.SetPixel(x, y, RGB(v, v, v));
        }
}

wchar_t Upper(wchar_t ch) noexcept {
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(ch))));
}

} // namespace

TSkinCustomButton::TSkinCustomButton(fw::Control* owner)
    : fw::WinControl(owner), uiStyle_(InitialStyle(owner)) {
    SetTabStop(true);
    SetParentColor(true);
    SetCapturesMouse(true);
    SetAccessibleRole(fw::AccRole::PushButton);
}

TSkinCustomButton::~TSkinCustomButton() {
    if (fileTheme_)
        fileTheme_->RemoveClient(this);
    StopRepeatTimer();
}

void TSkinCustomButton::CreateParamsFor(fw::CreateParams& p) {
    fw::WinControl::CreateParamsFor(p);
    // No background brush and no CS_DBLCLKS: the face is only ever drawn by the
    // paint's one copy, and the second press of a double-click stays a press.
    p.className = L"OrvalisSkinButton";
    p.classStyle = 0;
}

void TSkinCustomButton::CreateWnd() {
    acceptsEnter_ = default_;
    hasFocus_ = false;
    reportedStates_ = OwnStates();
}

// Properties.

void TSkinCustomButton::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    SetText(caption);
    CaptionUpdated();
    Repaint();
}

void TSkinCustomButton::SetAutoSize(bool a) {
    autoSize_ = a;
    ApplyAutoSize();
    Repaint();
}

void TSkinCustomButton::SetDefault(bool d) {
    default_ = d;
    // Every button of the form works out again whether Enter is its key.
    if (HandleAllocated())
        if (fw::Form* form = ParentForm())
            form->FocusChanged(form->FocusedControl());
}

void TSkinCustomButton::SetTransparent(bool t) {
    transparent_ = t;
    TransparentUpdated();
    Repaint();
}

void TSkinCustomButton::SetUIStyle(TSkinUIStyle s) {
    uiStyle_ = s;
    UIStyleUpdated();
    Repaint();
}

void TSkinCustomButton::SetFocusedRectMargin(int m) {
    focusedRectMargin_ = m;
    Repaint();
}

void TSkinCustomButton::SetFileTheme(TSkinFileTheme* theme) {
    if (fileTheme_)
        fileTheme_->RemoveClient(this);
    fileTheme_ = theme;
    if (fileTheme_)
        fileTheme_->AddClient(this);
}

void TSkinCustomButton::FileThemeRemoved(TSkinFileTheme& theme) {
    if (fileTheme_ != &theme)
        return;
    fileTheme_ = nullptr;
    SetUIStyle(TSkinUIStyle::Navy);
}

void TSkinCustomButton::SetHasPopup(bool p) {
    hasPopup_ = p;
    SetAccessibleRole(p ? fw::AccRole::MenuButton : fw::AccRole::PushButton);
}

fw::AccStates TSkinCustomButton::AccessibleStates() const noexcept {
    fw::AccStates s = fw::WinControl::AccessibleStates();
    if (mouseOver_)
        s |= fw::acc::HotTracked;
    if (mousePressed_)
        s |= fw::acc::Pressed;
    if (hasPopup_)
        s |= fw::acc::HasPopup;
    return s;
}

fw::AccStates TSkinCustomButton::OwnStates() const noexcept {
    // From the flags alone: this runs at every repaint.
    return (hasFocus_ ? fw::acc::Focused : 0) | (mouseOver_ ? fw::acc::HotTracked : 0) |
           (mousePressed_ ? fw::acc::Pressed : 0) | (Enabled() ? 0 : fw::acc::Unavailable);
}

void TSkinCustomButton::ReportStateChange() {
    const fw::AccStates now = OwnStates();
    if (now == reportedStates_)
        return;
    reportedStates_ = now;
    fw::NotifyAccessibleEvent(*this, EVENT_OBJECT_STATECHANGE);
}

void TSkinCustomButton::KeyboardClick() {
    struct Restore {
        bool& flag;
        bool old;
        ~Restore() { flag = old; }
    } restore{keyboardClick_, std::exchange(keyboardClick_, true)};
    Click();
}

void TSkinCustomButton::AccessibleDoDefaultAction() {
    // The client acts for a user who does not point: as from the keyboard.
    if (Enabled())
        KeyboardClick();
}

void TSkinCustomButton::UIStateChanged() {
    if (hasFocus_)
        Repaint();
}

void TSkinCustomButton::Repaint() {
    // Every state change repaints: the one place to tell assistive technology too.
    if (HandleAllocated())
        ReportStateChange();
    HWND wnd = HandleIfAllocated();
    // A window that is not shown yet gets its whole face from its first paint.
    if (!wnd || !::IsWindowVisible(wnd))
        return;
    // Painted straight onto the window: the same face as a paint message
    // draws, without the round trips of invalidating and validating. Whatever
    // was invalid before is still painted by the next paint message.
    fw::WindowDC dc(wnd);
    PaintFace(dc.get());
}

void TSkinCustomButton::SetEnabled(bool e) {
    fw::WinControl::SetEnabled(e);
    EnabledUpdated();
    Repaint();
}

// Framework notifications.

void TSkinCustomButton::MouseEnter() {
    mouseOver_ = true;
    Repaint();
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void TSkinCustomButton::MouseLeave() {
    mouseOver_ = false;
    mousePressed_ = false;
    StopRepeatTimer();
    Repaint();
    if (OnMouseExit)
        OnMouseExit(*this);
}

void TSkinCustomButton::CancelMode() {
    mouseOver_ = false;
    mousePressed_ = false;
    StopRepeatTimer();
    Repaint();
}

bool TSkinCustomButton::DialogKey(WORD key, fw::ShiftState shift) {
    const bool ours = (key == VK_RETURN && acceptsEnter_) || (key == VK_ESCAPE && cancel_);
    if (ours && !(shift & (fw::ssShift | fw::ssCtrl | fw::ssAlt)) && CanFocus()) {
        KeyboardClick();
        return true;
    }
    return fw::WinControl::DialogKey(key, shift);
}

bool TSkinCustomButton::DialogChar(wchar_t ch) {
    const wchar_t accel = core::AcceleratorChar(caption_);
    if (accel && Upper(ch) == Upper(accel) && Parent() && Parent()->Enabled() && Enabled() && Visible()) {
        KeyboardClick();
        return true;
    }
    return false;
}

void TSkinCustomButton::FocusChanged(fw::Control*) {
    acceptsEnter_ = default_;
    Repaint();
}

void TSkinCustomButton::FontChanged() {
    FontUpdated();
}

void TSkinCustomButton::TextChanged() {
    // The window text leads: a text set from outside becomes the caption. A
    // caption write has already made them equal.
    if (Text() != caption_)
        SetCaption(Text());
}

// Mouse and keyboard.

void TSkinCustomButton::StartRepeatTimer() {
    repeatTimerExists_ = true;
    const int period = std::max(interval_, 0);
    // SetTimer would turn 0 into its shortest period; a period of 0 never ticks.
    if (period > 0 && HandleAllocated())
        repeatTimer_ = fw::WindowTimer(HandleIfAllocated(), kRepeatTimerId, static_cast<UINT>(period));
}

void TSkinCustomButton::StopRepeatTimer() noexcept {
    repeatTimer_.reset();
    repeatTimerExists_ = false;
}

void TSkinCustomButton::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) {
    if (button == fw::MouseButton::Left) {
        mousePressed_ = true;
        if (!repeatTimerExists_)
            StartRepeatTimer();
        if (TabStop() && CanFocus()) {
            try {
                SetFocus();
            } catch (...) {
                // The press goes on without the focus.
            }
        }
        Repaint();
    }
    fw::WinControl::MouseDown(button, shift, x, y);
}

void TSkinCustomButton::MouseMove(fw::ShiftState shift, int x, int y) {
    fw::WinControl::MouseMove(shift, x, y);
    if (x < 0 || y < 0 || x > Width() || y > Height()) {
        mouseOver_ = false;
        mousePressed_ = false;
        Repaint();
    }
}

void TSkinCustomButton::Click() {
    if (mousePressed_) {
        mousePressed_ = false;
        StopRepeatTimer();
        Repaint();
    }
    if (fw::Form* form = ParentForm())
        form->SetModalResult(modalResult_);
    fw::WinControl::Click();
}

void TSkinCustomButton::KeyDown(WORD& key, fw::ShiftState shift) {
    fw::WinControl::KeyDown(key, shift);
    // A menu button opens its menu at once: Down or Alt+Down, and F4 (Alt+F4 closes the window).
    const bool popupKey = (key == VK_DOWN && !(shift & (fw::ssShift | fw::ssCtrl))) ||
                          (key == VK_F4 && !(shift & (fw::ssShift | fw::ssCtrl | fw::ssAlt)));
    if (hasPopup_ && popupKey && hasFocus_ && Enabled()) {
        KeyboardClick();
        return;
    }
    // With Alt held the key arrives as a system key, which is not a press.
    if ((key == VK_SPACE || key == VK_RETURN) && !(shift & fw::ssAlt) && hasFocus_ && Enabled()) {
        mousePressed_ = true;
        Repaint();
    }
}

void TSkinCustomButton::KeyUp(WORD& key, fw::ShiftState shift) {
    fw::WinControl::KeyUp(key, shift);
    if ((key == VK_SPACE || key == VK_RETURN) && hasFocus_ && mousePressed_ && Enabled()) {
        mousePressed_ = false;
        Repaint();
        KeyboardClick();
    }
}

LRESULT TSkinCustomButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // never erased: the paint covers every pixel
    case WM_PAINT:
        if (wp) {
            PaintFace(reinterpret_cast<HDC>(wp));
        } else {
            fw::PaintDC pdc(HandleIfAllocated());
            PaintFace(pdc.get());
        }
        return 0;
    case WM_PRINTCLIENT:
        PaintFace(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // Remembered: asking the system for the focus at every paint costs a round trip.
        hasFocus_ = msg == WM_SETFOCUS;
        const LRESULT r = fw::WinControl::WndProc(msg, wp, lp);
        Repaint();
        return r;
    }
    case WM_GETDLGCODE:
        // The Down key is a menu button's own; the other arrows still move the focus.
        if (hasPopup_ && lp) {
            const MSG* m = reinterpret_cast<const MSG*>(lp);
            if ((m->message == WM_KEYDOWN || m->message == WM_SYSKEYDOWN) && m->wParam == VK_DOWN &&
                !(fw::KeyboardShiftState() & (fw::ssShift | fw::ssCtrl)))
                return DLGC_WANTARROWS;
        }
        break;
    case WM_TIMER:
        if (wp != kRepeatTimerId)
            break;
        if (OnMouseContinuouslyDown)
            OnMouseContinuouslyDown(*this);
        return 0;
    case WM_CAPTURECHANGED: {
        const LRESULT r = fw::WinControl::WndProc(msg, wp, lp);
        // Without the capture the mouse press is over, whether by the release
        // or because another window took the mouse (a system move, a menu):
        // the timer must not run on, nor the pressed face stay.
        if (repeatTimerExists_) {
            StopRepeatTimer();
            if (mousePressed_) {
                mousePressed_ = false;
                Repaint();
            }
        }
        return r;
    }
    case WM_SETTEXT: {
        const LRESULT r = fw::WinControl::WndProc(msg, wp, lp);
        const auto* s = reinterpret_cast<const wchar_t*>(lp);
        if (const std::wstring text = s ? s : L""; text != Text())
            SetText(text);
        return r;
    }
    default:
        break;
    }
    return fw::WinControl::WndProc(msg, wp, lp);
}

// Painting.

void TSkinCustomButton::FetchStatePicture(fw::Bitmap& bitmap) {
    try {
        if (!Enabled())
            FetchPicDisabled(bitmap);
        else if (mousePressed_)
            FetchPicMouseDown(bitmap);
        else if (mouseOver_)
            FetchPicMouseOn(bitmap);
        else
            FetchPicNormal(bitmap);
    } catch (...) {
        // A picture that cannot become a bitmap is no reason to stop painting.
        bitmap.Create(kFallbackWidth, kFallbackHeight);
        bitmap.Fill(RGB(255, 255, 255));
    }
}

void TSkinCustomButton::PaintFace(HDC dc) {
    const RECT client = ClientRect();
    FetchStatePicture(picture_);
    picture_.SetTransparent(pictureTransparent_);
    // Every paint builds the whole face, whatever part of it is invalid.
    Buffer().Paint(dc, SIZE{client.right, client.bottom}, client, [&](fw::Canvas& buffer) {
        // The focus frame's dots take the DC's colours; start every paint alike.
        ::SetTextColor(buffer.Handle(), RGB(0, 0, 0));
        ::SetBkColor(buffer.Handle(), RGB(255, 255, 255));
        if (transparent_)
            PaintParentBackground(buffer, *this);
        else
            buffer.FillRect(client, GetColor());
        DrawStatePicture(buffer, picture_);
        if (hasFocus_ && TabStop())
            DrawFocusFrame(buffer);
        // Realising a font costs more than the rest of the paint, so only a
        // caption that shows takes it.
        if (!core::IsBlankCaption(caption_)) {
            buffer.SetFont(GetFont());
            DrawCaptionText(buffer, caption_);
        }
    });
}

void TSkinCustomButton::PaintParentBackground(fw::Canvas& canvas, fw::Control& control) {
    fw::WinControl* parent = control.Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    HDC dc = canvas.Handle();
    fw::ScopedSaveDC save(dc);
    POINT org{};
    ::GetViewportOrgEx(dc, &org);
    ::SetViewportOrgEx(dc, org.x - control.Left(), org.y - control.Top(), nullptr);
    const RECT pc = parent->ClientRect();
    ::IntersectClipRect(dc, 0, 0, pc.right - pc.left, pc.bottom - pc.top);
    HWND pw = parent->HandleIfAllocated();
    ::SendMessageW(pw, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ::SendMessageW(pw, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void TSkinCustomButton::DrawPicture(fw::Canvas& canvas, const fw::Bitmap& bitmap, const RECT& dst) {
    if (bitmap.Empty())
        return;
    if (!pictureDC_)
        pictureDC_.reset(::CreateCompatibleDC(nullptr));
    canvas.DrawBitmap(dst, bitmap, pictureDC_.get());
}

void TSkinCustomButton::DrawStatePicture(fw::Canvas& canvas, fw::Bitmap& bitmap) {
    if (bitmap.Empty())
        return;
    const COLORREF mask = bitmap.Pixel(0, 0);
    fw::Bitmap image(bitmap);
    if (!Enabled())
        GreyOut(image, mask);
    fw::UniqueImageList list(fw::syslib::ImageList_Create(
        image.Width(), image.Height(), ILC_COLOR24 | (pictureTransparent_ ? ILC_MASK : 0), 1, 0));
    if (!list)
        return;
    // AddMasked blackens the masked pixels of its source: image is a copy.
    if (pictureTransparent_)
        fw::syslib::ImageList_AddMasked(list.get(), image.Handle(), mask);
    else
        fw::syslib::ImageList_Add(list.get(), image.Handle(), nullptr);
    fw::syslib::ImageList_Draw(list.get(), 0, canvas.Handle(), 0, 0,
                               pictureTransparent_ ? ILD_TRANSPARENT : ILD_NORMAL);
}

void TSkinCustomButton::DrawCaptionIn(fw::Canvas& canvas, RECT r) {
    RECT t = r;
    canvas.DrawText(caption_, t, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    ::OffsetRect(&t, ((r.right - r.left) - (t.right - t.left)) / 2,
                 ((r.bottom - r.top) - (t.bottom - t.top)) / 2);
    canvas.DrawText(std::wstring(caption_.c_str()), t, DT_CENTER);
}

void TSkinCustomButton::DrawCaptionText(fw::Canvas& canvas, const std::wstring&) {
    canvas.SetBrushClear(true);
    RECT r = ClientRect();
    fw::Font font = GetFont();
    canvas.SetFont(font);
    if (!Enabled()) {
        // Engraved: white one pixel down and right, grey over it.
        ::OffsetRect(&r, 1, 1);
        font.color = fw::clWhite;
        canvas.SetFont(font);
        DrawCaptionIn(canvas, r);
        r = ClientRect();
        font.color = fw::clGray;
        canvas.SetFont(font);
    } else if (mousePressed_) {
        ::OffsetRect(&r, 1, 1);
    }
    DrawCaptionIn(canvas, r);
}

void TSkinCustomButton::DrawFocusFrame(fw::Canvas& canvas) {
    canvas.SetBrushClear(false);
    const RECT client = ClientRect();
    const int m = focusedRectMargin_;
    const RECT r{m, m, client.right - m, client.bottom - m};
    ::DrawFocusRect(canvas.Handle(), &r);
}

// Default pictures: frames of the style strip.

const fw::Bitmap& TSkinCustomButton::ResolvedStrip() const {
    if (uiStyle_ != TSkinUIStyle::FromThemeFile)
        return BuiltInButtonStrip(uiStyle_);
    if (fileTheme_ && fileTheme_->Loaded())
        return fileTheme_->ButtonPicture();
    return BuiltInButtonStrip(TSkinUIStyle::Navy);
}

void TSkinCustomButton::FetchPicNormal(fw::Bitmap& bitmap) {
    bitmap = StripFrame(ResolvedStrip(), 1, 3);
}

void TSkinCustomButton::FetchPicMouseOn(fw::Bitmap& bitmap) {
    bitmap = StripFrame(ResolvedStrip(), 2, 3);
}

void TSkinCustomButton::FetchPicMouseDown(fw::Bitmap& bitmap) {
    bitmap = StripFrame(ResolvedStrip(), 3, 3);
}

void TSkinCustomButton::FetchPicDisabled(fw::Bitmap& bitmap) {
    bitmap = StripFrame(ResolvedStrip(), 1, 3);
}

void TSkinCustomButton::ApplyAutoSize() {
    if (!autoSize_)
        return;
    // The stored style, unresolved: FromThemeFile has no strip of its own.
    const fw::Bitmap& strip = BuiltInButtonStrip(uiStyle_);
    const int w = strip.Empty() ? kFallbackWidth : strip.Width();
    const int h = strip.Empty() ? kFallbackHeight : strip.Height();
    SetHeight(h);
    SetWidth(w / 3);
}

void TSkinCustomButton::FontUpdated() {
    Repaint();
}

void TSkinCustomButton::TransparentUpdated() {
    pictureTransparent_ = transparent_;
    Repaint();
}

} // namespace controls
