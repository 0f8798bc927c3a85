#include "AlphaBlend.h"

#include <algorithm>

namespace core {
namespace {

// P * a + D * (256 - a) is never negative, so the shift rounds down like the division.
inline uint8_t BlendChannel(int p, int d, int alpha) {
    return static_cast<uint8_t>(((p - d) * alpha + d * 256) >> 8);
}

template <int TargetBytesPerPixel>
void BlendRows(MutableImageView target, const ImageView& picture, int width, int height) {
    for (int y = 0; y < height; ++y) {
        uint8_t* d = target.bits + y * target.stride;
        const uint8_t* p = picture.bits + y * picture.stride;
        for (int x = 0; x < width; ++x, d += TargetBytesPerPixel, p += 4) {
            const int alpha = p[3];
            d[0] = BlendChannel(p[0], d[0], alpha);
            d[1] = BlendChannel(p[1], d[1], alpha);
            d[2] = BlendChannel(p[2], d[2], alpha);
        }
    }
}

} // namespace

void BlendBitmap32(MutableImageView target, const ImageView& picture) {
    if (target.bits == nullptr || picture.bits == nullptr || picture.bytesPerPixel != 4) {
        return;
    }
    const int width = std::min(target.width, picture.width);
    const int height = std::min(target.height, picture.height);
    if (width <= 0 || height <= 0) {
        return;
    }
    if (target.bytesPerPixel == 3) {
        BlendRows<3>(target, picture, width, height);
    } else if (target.bytesPerPixel == 4) {
        BlendRows<4>(target, picture, width, height);
    }
}

} // namespace core
