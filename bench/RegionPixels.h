// A region read back as the set of pixels it covers, so regions built in
// different ways compare by shape, whatever rectangles GDI keeps for them.
#pragma once

#include <windows.h>

#include <vector>

namespace bench {

struct PixelSet {
    int width = 0;
    int height = 0;
    std::vector<bool> inside; // row-major, width * height
    int rectCount = 0;        // rectangles GDI reports for the region
    bool outOfBounds = false; // some rectangle reaches beyond width x height

    int Count() const;
    // Same size and the same pixels covered, however the rectangles fall.
    bool SamePixels(const PixelSet& other) const {
        return width == other.width && height == other.height && inside == other.inside;
    }
};

PixelSet RegionPixels(HRGN region, int width, int height);

} // namespace bench
