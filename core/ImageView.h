#pragma once

#include <cstddef>
#include <cstdint>

namespace core {

// A borrowed view of pixel rows, top row first: row y starts at bits + y * stride.
// Pixels are 3 or 4 bytes in memory order blue, green, red[, alpha], as in a DIB section.
struct ImageView {
    const uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;
    int bytesPerPixel = 3;
};

struct MutableImageView {
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;
    int bytesPerPixel = 3;

    operator ImageView() const { return {bits, width, height, stride, bytesPerPixel}; }
};

inline const uint8_t* PixelAt(const ImageView& image, int x, int y) {
    return image.bits + y * image.stride + static_cast<ptrdiff_t>(x) * image.bytesPerPixel;
}

// The pixel as GetPixel reports it, 0x00BBGGRR; an alpha byte never shows in it.
// (x, y) must lie inside the image.
inline uint32_t ColorAt(const ImageView& image, int x, int y) {
    const uint8_t* p = PixelAt(image, x, y);
    return static_cast<uint32_t>(p[2]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[0]) << 16;
}

} // namespace core
