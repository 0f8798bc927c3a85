#pragma once

#include "ImageView.h"

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace core {

// A decoded bitmap, rows top-down and tightly packed (stride = width * bytes per pixel, no row
// padding). 32-bit files stay 32-bit with their fourth byte untouched; every other depth becomes
// 24-bit blue, green, red.
struct DecodedBitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<uint8_t> pixels;

    int BytesPerPixel() const { return bitsPerPixel / 8; }
    ptrdiff_t Stride() const { return static_cast<ptrdiff_t>(width) * BytesPerPixel(); }
    ImageView View() const { return {pixels.data(), width, height, Stride(), BytesPerPixel()}; }
};

// A stored picture whose length is 0: no graphic at all.
struct EmptyPicture {};

enum class BitmapError {
    StreamRead,  // the data ends before what it announces
    NotABitmap,  // no "BM" file header
    Invalid,     // a header field or palette index that cannot be right
    Unsupported, // well-formed, but a format this reader does not decode (RLE, JPEG, PNG, ...)
};

struct BitmapReadError {
    BitmapError kind;
    std::string message;
};

using BitmapReadResult = std::variant<DecodedBitmap, EmptyPicture, BitmapReadError>;

// Reads a bitmap file image ("BM" header, information header, palette, pixel rows).
// Never reads outside file; supports 1, 4, 8, 16, 24 and 32 bits per pixel uncompressed, and
// 16 and 32 bits with the standard colour masks. The output is at most 1 GiB.
BitmapReadResult ReadBitmapFile(std::span<const uint8_t> file);

} // namespace core
