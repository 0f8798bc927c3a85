#include "SkinForm.h"

#include "core/PixelRuns.h"
#include "framework/Handles.h"

#include <windowsx.h>

#include <vector>

namespace controls {

fw::UniqueRgn CreateRegionFromBitmap(const fw::Bitmap& bitmap, fw::Color transparentColor) {
    const std::vector<core::PixelRun> runs = core::ScanOpaqueRuns(bitmap.View(), transparentColor);
    // One region from all run rectangles: the same shape as their union, made
    // with a single call instead of one combine per run.
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(runs.size());
    rgn->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    auto* rects = reinterpret_cast<RECT*>(rgn->Buffer);
    for (size_t i = 0; i < runs.size(); ++i) {
        rects[i] = RECT{runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
        if (i == 0)
            bounds = rects[i];
        else
            ::UnionRect(&bounds, &bounds, &rects[i]);
    }
    rgn->rdh.rcBound = bounds;
    return fw::UniqueRgn(runs.empty() ? ::CreateRectRgn(0, 0, 0, 0)
                                      : ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn));
}

void SetWindowRegionFromBitmap(HWND wnd, const fw::Bitmap& bitmap, fw::Color transparentColor) {
    fw::UniqueRgn region = CreateRegionFromBitmap(bitmap, transparentColor);
    if (!region)
        return;
    // On success the window owns the region; on failure it is still ours and is freed.
    if (::SetWindowRgn(wnd, region.get(), TRUE))
        region.release();
}

TSkinForm::TSkinForm(fw::Control* owner) : fw::Control(owner) {
    ownerForm_ = dynamic_cast<fw::Form*>(owner);
    if (!ownerForm_)
        return;
    ownerForm_->SetBorderStyle(fw::BorderStyle::None);
    glyph_.Clear();
    transparentColor_ = fw::clFuchsia; // stored directly: no shape is applied yet
    SetWidth(200);
    SetHeight(100);
}

TSkinForm::~TSkinForm() = default;

void TSkinForm::SetGlyph(const fw::Bitmap* bitmap) {
    if (bitmap)
        glyph_.Assign(*bitmap);
    else
        glyph_.Clear();
    ApplySkin();
    RepaintNow();
}

void TSkinForm::SetTransparentColor(fw::Color c) {
    transparentColor_ = c;
    ApplySkin();
    RepaintNow();
}

void TSkinForm::RepaintNow() {
    if (ownerForm_ && ownerForm_->HandleAllocated())
        Repaint();
}

void TSkinForm::ApplySkin() {
    // An owner that is not a form has no window to shape; the control then only
    // keeps its glyph and colour.
    if (!ownerForm_ || !glyph_.HasImage())
        return;
    SetWindowRegionFromBitmap(ownerForm_->Handle(), glyph_, transparentColor_);
    if (glyph_.Height() != 0 && glyph_.Width() != 0) {
        SetHeight(glyph_.Height());
        SetWidth(glyph_.Width());
    }
    SetTop(0);
    SetLeft(0);
    ownerForm_->SetClientHeight(Height());
    ownerForm_->SetClientWidth(Width());
    if (OnRegionChanged)
        OnRegionChanged(*this);
}

void TSkinForm::Paint(fw::Canvas& canvas) {
    if (glyph_.Width() != 0 && glyph_.Height() != 0)
        canvas.Draw(0, 0, glyph_); // every pixel, the cut-away ones too
    else
        canvas.FrameRect(RECT{0, 0, Width(), Height()}, fw::clBlack);
    if (OnPaint)
        OnPaint(*this);
}

void TSkinForm::MouseDown(fw::MouseButton button, fw::ShiftState shift, int x, int y) {
    fw::Control::MouseDown(button, shift, x, y);
    ::ReleaseCapture();
    if (!ownerForm_ || !ownerForm_->HandleAllocated())
        return;
    if (button == fw::MouseButton::Left) {
        // A press on a caption bar: the system moves the form until the
        // button is released, and only then does this call return.
        ownerForm_->Dispatch(WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return;
    }
    // The system's move waits for a left release that another button never
    // gives (the form would stick to the pointer), so that drag is moved here.
    DragWith(button);
}

void TSkinForm::DragWith(fw::MouseButton button) {
    HWND form = ownerForm_->Handle();
    const bool right = button == fw::MouseButton::Right;
    const UINT release = right ? WM_RBUTTONUP : WM_MBUTTONUP;
    const WPARAM held = right ? MK_RBUTTON : MK_MBUTTON;
    const DWORD at = ::GetMessagePos();
    const POINT start{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    RECT origin;
    ::GetWindowRect(form, &origin);
    auto moveTo = [&](POINT p) {
        ::SetWindowPos(form, nullptr, origin.left + p.x - start.x, origin.top + p.y - start.y, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    ownerForm_->SendCancelMode(); // as a caption press does
    ::SetCapture(form);
    ::SendMessageW(form, WM_ENTERSIZEMOVE, 0, 0);
    // Until the button goes up, or the capture is taken away (cancel mode).
    MSG msg;
    while (::GetCapture() == form) {
        if (!::GetMessageW(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop that waits for it
            break;
        }
        if (msg.message == release)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            if (!(msg.wParam & held))
                break; // released where this loop did not hear of it
            if (msg.pt.x != start.x || msg.pt.y != start.y)
                moveTo(msg.pt);
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            moveTo(start); // Escape throws the move away, as in the system's move
            break;
        }
        // Other presses and keys belong to the move; everything else is handled as usual.
        if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
            (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (::GetCapture() == form)
        ::ReleaseCapture();
    ::SendMessageW(form, WM_EXITSIZEMOVE, 0, 0);
}

LRESULT TSkinForm::Perform(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND)
        return 1; // the glyph covers the face; nothing to erase
    return fw::Control::Perform(msg, wp, lp);
}

} // namespace controls
