#include "Canvas.h"

namespace fw {

Canvas::~Canvas() {
    ReleaseFont();
}

void Canvas::SetFont(const Font& font) {
    if (hfont_ && fontSelection_ && font == font_)
        return;
    UniqueFont f = font.Create();
    // The DC's own font goes back in before the new one goes in, so that the
    // font being replaced is never freed while selected.
    fontSelection_.reset();
    fontSelection_.emplace(dc_, f.get());
    hfont_ = std::move(f);
    font_ = font;
}

void Canvas::FillRect(const RECT& r) {
    FillRect(r, brushColor_);
}

void Canvas::FillRect(const RECT& r, Color c) {
    UniqueBrush b(::CreateSolidBrush(ColorToRGB(c)));
    ::FillRect(dc_, &r, b.get());
}

void Canvas::FrameRect(const RECT& r, Color c) {
    UniqueBrush b(::CreateSolidBrush(ColorToRGB(c)));
    ::FrameRect(dc_, &r, b.get());
}

void Canvas::DrawBitmap(const RECT& r, const Bitmap& bmp, HDC source) {
    if (bmp.Empty())
        return;
    UniqueDC own;
    if (!source) {
        own.reset(::CreateCompatibleDC(dc_));
        source = own.get();
    }
    // Selected only for the copy, so that the bitmap is never freed while selected.
    ScopedSelect sel(source, bmp.Handle());
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (bmp.Transparent()) {
        ::GdiTransparentBlt(dc_, r.left, r.top, w, h, source, 0, 0, bmp.Width(), bmp.Height(),
                            bmp.TransparentColor());
    } else if (w == bmp.Width() && h == bmp.Height()) {
        ::BitBlt(dc_, r.left, r.top, w, h, source, 0, 0, SRCCOPY);
    } else {
        const int old = ::SetStretchBltMode(dc_, COLORONCOLOR);
        ::StretchBlt(dc_, r.left, r.top, w, h, source, 0, 0, bmp.Width(), bmp.Height(), SRCCOPY);
        ::SetStretchBltMode(dc_, old);
    }
}

void Canvas::Draw(int x, int y, const Bitmap& bmp) {
    DrawBitmap(RECT{x, y, x + bmp.Width(), y + bmp.Height()}, bmp);
}

void Canvas::StretchDraw(const RECT& r, const Bitmap& bmp) {
    DrawBitmap(r, bmp);
}

int Canvas::DrawText(const std::wstring& text, RECT& r, UINT format) {
    if (!hfont_)
        SetFont(font_);
    ::SetTextColor(dc_, ColorToRGB(font_.color));
    if (brushClear_) {
        ::SetBkMode(dc_, TRANSPARENT);
    } else {
        ::SetBkMode(dc_, OPAQUE);
        ::SetBkColor(dc_, ColorToRGB(brushColor_));
    }
    return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
}

MemoryCanvas::MemoryCanvas(int width, int height, HDC compatibleWith) : width_(width), height_(height) {
    WindowDC screen(nullptr);
    HDC ref = compatibleWith ? compatibleWith : screen.get();
    memDC_.reset(::CreateCompatibleDC(ref));
    bitmap_.reset(::CreateCompatibleBitmap(ref, width > 0 ? width : 1, height > 0 ? height : 1));
    bitmapSelection_.emplace(memDC_.get(), bitmap_.get());
    Attach(memDC_.get());
}

MemoryCanvas::~MemoryCanvas() {
    // Out of the DC before the DC and the bitmap go.
    ReleaseFont();
    bitmapSelection_.reset();
}

BitmapCanvas::BitmapCanvas(Bitmap& bmp) {
    memDC_.reset(::CreateCompatibleDC(nullptr));
    bitmapSelection_.emplace(memDC_.get(), bmp.Handle());
    Attach(memDC_.get());
}

BitmapCanvas::~BitmapCanvas() {
    ReleaseFont();
    bitmapSelection_.reset();
}

} // namespace fw
