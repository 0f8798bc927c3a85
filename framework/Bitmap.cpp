#include "Bitmap.h"

#include "core/ImageView.h"
#include "core/BitmapFile.h"

#include <climits>
#include <cstring>
#include <stdexcept>

namespace fw {

void Bitmap::Create(int width, int height, int bitsPerPixel) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        throw std::invalid_argument("Bitmap: only 24 and 32 bits per pixel are supported");
    Clear();
    bpp_ = bitsPerPixel;
    hasImage_ = true;
    if (width <= 0 || height <= 0) {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        return;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP h = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!h)
        throw std::runtime_error("Out of system resources");
    handle_.reset(h);
    bits_ = static_cast<std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
    stride_ = ((static_cast<std::ptrdiff_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void Bitmap::Clear() noexcept {
    handle_.reset();
    hasImage_ = false;
    bits_ = nullptr;
    width_ = height_ = 0;
    stride_ = 0;
}

void Bitmap::Assign(const Bitmap& other) {
    if (!other.hasImage_) {
        Clear();
        return;
    }
    Create(other.width_, other.height_, other.bpp_);
    if (bits_ && other.bits_)
        std::memcpy(bits_, other.bits_, static_cast<size_t>(stride_) * height_);
    transparent_ = other.transparent_;
    transparentColor_ = other.transparentColor_;
}

void Bitmap::LoadDecoded(const core::DecodedBitmap& d) {
    Create(d.width, d.height, d.bitsPerPixel);
    const size_t rowBytes = static_cast<size_t>(d.width) * (d.bitsPerPixel / 8);
    for (int y = 0; y < height_; ++y)
        std::memcpy(Row(y), d.pixels.data() + y * d.Stride(), rowBytes);
}

// A 24- or 32-bit uncompressed bitmap resource is copied straight from the
// module's data into the section; other depths go through GDI.
bool Bitmap::LoadPackedResource(HINSTANCE module, const wchar_t* name) {
    HRSRC res = ::FindResourceW(module, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    HGLOBAL mem = res ? ::LoadResource(module, res) : nullptr;
    const auto* data = mem ? static_cast<const std::uint8_t*>(::LockResource(mem)) : nullptr;
    const DWORD size = res ? ::SizeofResource(module, res) : 0;
    if (!data || size < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof h || h.biSize > size || h.biCompression != BI_RGB ||
        (h.biBitCount != 24 && h.biBitCount != 32) || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biHeight == LONG_MIN || h.biPlanes != 1)
        return false;
    const int w = h.biWidth, rows = h.biHeight > 0 ? h.biHeight : -h.biHeight;
    const std::uint64_t stride = (static_cast<std::uint64_t>(w) * h.biBitCount + 31) / 32 * 4;
    if (h.biSize + stride * rows > size)
        return false;
    Create(w, rows, h.biBitCount);
    const std::uint8_t* pixels = data + h.biSize;
    for (int y = 0; y < rows; ++y) {
        const int src = h.biHeight > 0 ? rows - 1 - y : y; // stored bottom row first unless top-down
        std::memcpy(Row(y), pixels + src * stride, static_cast<size_t>(w) * (h.biBitCount / 8));
    }
    return true;
}

bool Bitmap::LoadFromResource(HINSTANCE module, const wchar_t* name) {
    if (LoadPackedResource(module, name))
        return true;
    UniqueBitmap src(
        static_cast<HBITMAP>(::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!src)
        return false;
    BITMAP bm{};
    ::GetObjectW(src.get(), sizeof bm, &bm);
    Create(bm.bmWidth, bm.bmHeight, 24);
    if (Empty())
        return true;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    return ::GetDIBits(dc.get(), src.get(), 0, height_, bits_, &bi, DIB_RGB_COLORS) == height_;
}

core::ImageView Bitmap::View() const noexcept {
    return {bits_, width_, height_, stride_, bpp_ / 8};
}

core::MutableImageView Bitmap::MutableView() noexcept {
    return {bits_, width_, height_, stride_, bpp_ / 8};
}

COLORREF Bitmap::Pixel(int x, int y) const noexcept {
    const std::uint8_t* p = Row(y) + x * (bpp_ / 8);
    return RGB(p[2], p[1], p[0]);
}

void Bitmap::SetPixel(int x, int y, COLORREF c) noexcept {
    std::uint8_t* p = Row(y) + x * (bpp_ / 8);
    p[0] = GetBValue(c);
    p[1] = GetGValue(c);
    p[2] = GetRValue(c);
}

void Bitmap::Fill(COLORREF c) noexcept {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            SetPixel(x, y, c);
}

} // namespace fw
