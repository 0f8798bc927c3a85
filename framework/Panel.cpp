#include "Panel.h"

namespace fw {

Panel::Panel(Control* owner) : WinControl(owner) {}

void Panel::SetBevelInner(Bevel b) {
    bevelInner_ = b;
    Invalidate();
}

void Panel::SetBevelOuter(Bevel b) {
    bevelOuter_ = b;
    Invalidate();
}

void Panel::SetBevelWidth(int w) {
    bevelWidth_ = w;
    Invalidate();
}

void Panel::SetBorderWidth(int w) {
    borderWidth_ = w;
    Invalidate();
}

void Panel::CreateParamsFor(CreateParams& p) {
    WinControl::CreateParamsFor(p);
    p.className = L"OrvalisPanel";
    // Child windows paint themselves; the panel's buffer must not cover them.
    p.style |= WS_CLIPCHILDREN;
    p.classStyle = CS_HREDRAW | CS_VREDRAW;
}

void Frame3D(Canvas& canvas, RECT& r, Color topColor, Color bottomColor, int width) {
    for (; width > 0 && r.right - r.left >= 2 && r.bottom - r.top >= 2; --width) {
        canvas.FillRect({r.left, r.top, r.right - 1, r.top + 1}, topColor);
        canvas.FillRect({r.left, r.top, r.left + 1, r.bottom - 1}, topColor);
        canvas.FillRect({r.right - 1, r.top, r.right, r.bottom}, bottomColor);
        canvas.FillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomColor);
        ::InflateRect(&r, -1, -1);
    }
}

namespace {

void BevelFrame(Canvas& canvas, RECT& r, Bevel b, int width) {
    if (b == Bevel::None)
        return;
    const Color light = SystemColor(COLOR_BTNHIGHLIGHT), dark = SystemColor(COLOR_BTNSHADOW);
    if (b == Bevel::Raised)
        Frame3D(canvas, r, light, dark, width);
    else
        Frame3D(canvas, r, dark, light, width);
}

} // namespace

void Panel::PaintWindow(Canvas& canvas) {
    RECT r = ClientRect();
    BevelFrame(canvas, r, bevelOuter_, bevelWidth_);
    ::InflateRect(&r, -borderWidth_, -borderWidth_); // the border is already in the face colour
    BevelFrame(canvas, r, bevelInner_, bevelWidth_);
}

} // namespace fw
