#include "Resample.h"

#include <vector>

namespace core {
namespace {

// One source pixel's share of a target pixel along one axis.
struct Tap {
    int index;
    std::int64_t weight;
};

// Target pixel t covers [t * n, (t + 1) * n) in units where a source pixel is
// targetLength wide and the whole line sourceLength * targetLength long: the
// overlaps with each source pixel are whole numbers, summing to sourceLength.
std::vector<std::vector<Tap>> Taps(int sourceLength, int targetLength) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(targetLength));
    for (int t = 0; t < targetLength; ++t) {
        const std::int64_t begin = static_cast<std::int64_t>(t) * sourceLength;
        const std::int64_t end = begin + sourceLength;
        for (auto s = static_cast<int>(begin / targetLength); s < sourceLength; ++s) {
            const std::int64_t sBegin = static_cast<std::int64_t>(s) * targetLength;
            if (sBegin >= end)
                break;
            const std::int64_t sEnd = sBegin + targetLength;
            const std::int64_t overlap = (sEnd < end ? sEnd : end) - (sBegin > begin ? sBegin : begin);
            if (overlap > 0)
                taps[static_cast<size_t>(t)].push_back({s, overlap});
        }
    }
    return taps;
}

std::uint8_t Rounded(std::uint64_t sum, std::uint64_t total) {
    return static_cast<std::uint8_t>((sum + total / 2) / total);
}

bool IsColor(const std::uint8_t* p, std::uint32_t color) {
    return (color >> 24) == 0 && p[0] == static_cast<std::uint8_t>(color >> 16) &&
           p[1] == static_cast<std::uint8_t>(color >> 8) && p[2] == static_cast<std::uint8_t>(color);
}

void SetColor(std::uint8_t* p, std::uint32_t color) {
    p[0] = static_cast<std::uint8_t>(color >> 16);
    p[1] = static_cast<std::uint8_t>(color >> 8);
    p[2] = static_cast<std::uint8_t>(color);
}

} // namespace

void ResampleArea(const ImageView& source, MutableImageView target, std::uint32_t transparentColor) {
    const int bpp = source.bytesPerPixel;
    if (!source.bits || !target.bits || source.width <= 0 || source.height <= 0 || target.width <= 0 ||
        target.height <= 0 || bpp != target.bytesPerPixel || (bpp != 3 && bpp != 4))
        return;
    const auto columns = Taps(source.width, target.width);
    const auto rows = Taps(source.height, target.height);
    for (int y = 0; y < target.height; ++y) {
        std::uint8_t* out = target.bits + y * target.stride;
        for (int x = 0; x < target.width; ++x, out += bpp) {
            std::uint64_t colour[3] = {0, 0, 0}, all[3] = {0, 0, 0};
            std::uint64_t weight = 0, area = 0;
            for (const Tap& row : rows[static_cast<size_t>(y)]) {
                for (const Tap& column : columns[static_cast<size_t>(x)]) {
                    const std::uint8_t* p = PixelAt(source, column.index, row.index);
                    const auto share = static_cast<std::uint64_t>(row.weight * column.weight);
                    area += share;
                    for (int c = 0; c < 3; ++c)
                        all[c] += share * p[c];
                    // Straight alpha weighs the colour by its opacity; a 24-bit
                    // picture's transparent colour counts as opacity 0.
                    const std::uint64_t opacity = bpp == 4 ? p[3] : IsColor(p, transparentColor) ? 0 : 255;
                    if (bpp == 4)
                        weight += share * opacity;
                    else if (opacity)
                        weight += share;
                    if (opacity)
                        for (int c = 0; c < 3; ++c)
                            colour[c] += share * (bpp == 4 ? opacity : 1) * p[c];
                }
            }
            if (bpp == 4)
                out[3] = Rounded(weight, area);
            if (weight == 0) {
                if (bpp == 4) // wholly transparent: its colour shows nowhere; keep the plain average
                    for (int c = 0; c < 3; ++c)
                        out[c] = Rounded(all[c], area);
                else
                    SetColor(out, transparentColor);
                continue;
            }
            for (int c = 0; c < 3; ++c)
                out[c] = Rounded(colour[c], weight);
        }
    }
}

void ApplyScaledOutline(MutableImageView target, const ImageView& design, std::uint32_t transparentColor,
                        int dpi) {
    if (!target.bits || !design.bits || dpi <= 0 || target.bytesPerPixel < 3 || design.bytesPerPixel < 3)
        return;
    for (int y = 0; y < target.height; ++y) {
        const int dy = static_cast<int>(static_cast<std::int64_t>(y) * 96 / dpi);
        if (dy >= design.height)
            break;
        std::uint8_t* p = target.bits + y * target.stride;
        for (int x = 0; x < target.width; ++x, p += target.bytesPerPixel) {
            const int dx = static_cast<int>(static_cast<std::int64_t>(x) * 96 / dpi);
            if (dx >= design.width)
                break;
            const std::uint8_t* d = PixelAt(design, dx, dy);
            if (IsColor(d, transparentColor))
                SetColor(p, transparentColor);
            else if (IsColor(p, transparentColor))
                for (int c = 0; c < 3; ++c)
                    p[c] = d[c];
        }
    }
}

} // namespace core
