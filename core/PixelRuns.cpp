#include "PixelRuns.h"

namespace core {
namespace {

template <int BytesPerPixel>
void ScanRows(const ImageView& image, uint32_t transparentColor, std::vector<PixelRun>& runs) {
    // Compare bytes in memory order instead of building a colour per pixel.
    const uint8_t red = static_cast<uint8_t>(transparentColor);
    const uint8_t green = static_cast<uint8_t>(transparentColor >> 8);
    const uint8_t blue = static_cast<uint8_t>(transparentColor >> 16);
    const bool canMatch = (transparentColor >> 24) == 0;
    const int lastColumn = image.width - 1;

    for (int y = 0; y < image.height; ++y) {
        const uint8_t* p = image.bits + y * image.stride;
        int runStart = -1;
        for (int x = 0; x < lastColumn; ++x, p += BytesPerPixel) {
            const bool transparent = canMatch && p[0] == blue && p[1] == green && p[2] == red;
            if (transparent) {
                if (runStart >= 0) {
                    runs.push_back({runStart, x, y});
                    runStart = -1;
                }
            } else if (runStart < 0) {
                runStart = x;
            }
        }
        // The last column closes the run without joining it.
        if (runStart >= 0) {
            runs.push_back({runStart, lastColumn, y});
        }
    }
}

} // namespace

std::vector<PixelRun> ScanOpaqueRuns(const ImageView& image, uint32_t transparentColor) {
    std::vector<PixelRun> runs;
    if (image.bits == nullptr || image.width <= 1 || image.height <= 0) {
        return runs;
    }
    // A skin usually has one run per row; more only where transparent pixels split a row.
    runs.reserve(static_cast<size_t>(image.height));
    if (image.bytesPerPixel == 4) {
        ScanRows<4>(image, transparentColor, runs);
    } else if (image.bytesPerPixel == 3) {
        ScanRows<3>(image, transparentColor, runs);
    }
    return runs;
}

} // namespace core
