// A device-independent bitmap (DIB section) with top-down row access, 24 or 32
// bits per pixel. Rows are DWORD-aligned as GDI requires.
#pragma once

#include "Handles.h"
#include "Types.h"

#include <cstdint>
#include <span>

namespace core {
struct ImageView;
struct MutableImageView;
struct DecodedBitmap;
} // namespace core

namespace fw {

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, int bitsPerPixel = 24) { Create(width, height, bitsPerPixel); }
    Bitmap(const Bitmap& other) { Assign(other); }
    Bitmap& operator=(const Bitmap& other) {
        if (this != &other)
            Assign(other);
        return *this;
    }
    Bitmap(Bitmap&&) noexcept = default;
    Bitmap& operator=(Bitmap&&) noexcept = default;

    // A new zero-filled picture. A zero width or height still makes a picture
    // (HasImage is true) that has no pixels.
    void Create(int width, int height, int bitsPerPixel = 24);
    void Clear() noexcept; // no picture at all
    void Assign(const Bitmap& other);
    void LoadDecoded(const core::DecodedBitmap& decoded);
    // A bitmap resource of the module (RT_BITMAP); 24 and 32 bits stay as they
    // are, other depths become 24 bits.
    bool LoadFromResource(HINSTANCE module, const wchar_t* name);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    int BitsPerPixel() const noexcept { return bpp_; }
    bool Empty() const noexcept { return width_ == 0 || height_ == 0; }
    bool HasImage() const noexcept { return hasImage_; }
    std::ptrdiff_t Stride() const noexcept { return stride_; }
    HBITMAP Handle() const noexcept { return handle_.get(); }

    std::uint8_t* Row(int y) noexcept { return bits_ + y * stride_; }
    const std::uint8_t* Row(int y) const noexcept { return bits_ + y * stride_; }
    core::ImageView View() const noexcept;
    core::MutableImageView MutableView() noexcept;
    // 0x00BBGGRR at (x, y), the value GetPixel would give.
    COLORREF Pixel(int x, int y) const noexcept;
    void SetPixel(int x, int y, COLORREF c) noexcept;
    void Fill(COLORREF c) noexcept;

    // Drawing state used by canvases: pixels of the transparent colour are
    // left out when Transparent is set.
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool t) noexcept { transparent_ = t; }
    COLORREF TransparentColor() const noexcept { return transparentColor_; }
    void SetTransparentColor(COLORREF c) noexcept { transparentColor_ = c; }

private:
    bool LoadPackedResource(HINSTANCE module, const wchar_t* name);

    UniqueBitmap handle_;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bpp_ = 24;
    std::ptrdiff_t stride_ = 0;
    bool hasImage_ = false;
    bool transparent_ = false;
    COLORREF transparentColor_ = 0;
};

} // namespace fw
