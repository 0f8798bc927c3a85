// Reading the PNG pictures that the artwork stores above 100%: 8-bit RGB or RGBA, not
// interlaced, the only kinds the generator writes.
#pragma once

#include "core/BitmapFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace artwork {

struct PngImage {
    int colourType = 0; // 2: RGB, 6: RGBA
    // Rows top-down as blue, green, red[, alpha], 24 or 32 bits per pixel.
    core::DecodedBitmap bitmap;
};

// The image, or nullopt with `error` set when the bytes are no PNG of those kinds or are damaged.
std::optional<PngImage> DecodePng(std::span<const uint8_t> file, std::string& error);

} // namespace artwork
