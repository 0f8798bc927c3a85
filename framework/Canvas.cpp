#include "Canvas.h"

namespace fw {

Canvas::~Canvas() {
    ReleaseFont();
}

void Canvas::ReleaseFont() noexcept {
    if (oldFont_ && dc_)
        ::SelectObject(dc_, oldFont_);
    oldFont_ = nullptr;
    hfont_.reset();
}

void Canvas::SetFont(const Font& font) {
    if (hfont_ && font == font_)
        return;
    UniqueFont f = font.Create();
    HGDIOBJ prev = ::SelectObject(dc_, f.get());
    if (!oldFont_)
        oldFont_ = prev;
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

namespace {

void Blit(HDC dst, const RECT& r, const Bitmap& bmp) {
    UniqueDC src(::CreateCompatibleDC(dst));
    ScopedSelect sel(src.get(), bmp.Handle());
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (bmp.Transparent()) {
        ::GdiTransparentBlt(dst, r.left, r.top, w, h, src.get(), 0, 0, bmp.Width(), bmp.Height(),
                            bmp.TransparentColor());
    } else if (w == bmp.Width() && h == bmp.Height()) {
        ::BitBlt(dst, r.left, r.top, w, h, src.get(), 0, 0, SRCCOPY);
    } else {
        const int old = ::SetStretchBltMode(dst, COLORONCOLOR);
        ::StretchBlt(dst, r.left, r.top, w, h, src.get(), 0, 0, bmp.Width(), bmp.Height(), SRCCOPY);
        ::SetStretchBltMode(dst, old);
    }
}

} // namespace

void Canvas::Draw(int x, int y, const Bitmap& bmp) {
    if (bmp.Empty())
        return;
    Blit(dc_, RECT{x, y, x + bmp.Width(), y + bmp.Height()}, bmp);
}

void Canvas::StretchDraw(const RECT& r, const Bitmap& bmp) {
    if (bmp.Empty())
        return;
    Blit(dc_, r, bmp);
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

SIZE Canvas::TextExtent(const std::wstring& text) {
    if (!hfont_)
        SetFont(font_);
    SIZE s{};
    ::GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &s);
    return s;
}

MemoryCanvas::MemoryCanvas(int width, int height, HDC compatibleWith) : width_(width), height_(height) {
    WindowDC screen(nullptr);
    HDC ref = compatibleWith ? compatibleWith : screen.get();
    memDC_.reset(::CreateCompatibleDC(ref));
    bitmap_.reset(::CreateCompatibleBitmap(ref, width > 0 ? width : 1, height > 0 ? height : 1));
    oldBitmap_ = ::SelectObject(memDC_.get(), bitmap_.get());
    Attach(memDC_.get());
}

MemoryCanvas::~MemoryCanvas() {
    ReleaseFont();
    if (oldBitmap_)
        ::SelectObject(memDC_.get(), oldBitmap_);
}

void MemoryCanvas::CopyTo(HDC dst, int x, int y) const {
    ::BitBlt(dst, x, y, width_, height_, memDC_.get(), 0, 0, SRCCOPY);
}

BitmapCanvas::BitmapCanvas(Bitmap& bmp) {
    memDC_.reset(::CreateCompatibleDC(nullptr));
    oldBitmap_ = ::SelectObject(memDC_.get(), bmp.Handle());
    Attach(memDC_.get());
}

BitmapCanvas::~BitmapCanvas() {
    ReleaseFont();
    if (oldBitmap_)
        ::SelectObject(memDC_.get(), oldBitmap_);
}

} // namespace fw
