#pragma once

#include "ImageView.h"

#include <cstdint>
#include <vector>

namespace core {

// One horizontal run of a window shape, one pixel high; right is exclusive.
struct PixelRun {
    int left;
    int right;
    int y;

    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// The runs that make up a skin's window shape, row by row from the top, left to right.
// A pixel whose colour (0x00BBGGRR) equals transparentColor exactly ends a run, and so does the
// last column, which therefore never belongs to the shape. A colour with a non-zero top byte
// matches no pixel.
std::vector<PixelRun> ScanOpaqueRuns(const ImageView& image, uint32_t transparentColor);

} // namespace core
