#include "RasterExtra.h"

#include <algorithm>
#include <cmath>

namespace artgen {

void FillSampled(Raster& target, Box bounds, const SamplePaint& paint, int samples) {
    const float s = target.Scale();
    const int x0 = std::max(0, static_cast<int>(std::floor(bounds.x0 * s)));
    const int y0 = std::max(0, static_cast<int>(std::floor(bounds.y0 * s)));
    const int x1 = std::min(target.Width(), static_cast<int>(std::ceil(bounds.x1 * s)));
    const int y1 = std::min(target.Height(), static_cast<int>(std::ceil(bounds.y1 * s)));
    const float step = 1.0f / static_cast<float>(samples);
    const float total = static_cast<float>(samples * samples);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            Color sum{};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Color c = paint((x + (sx + 0.5f) * step) / s, (y + (sy + 0.5f) * step) / s);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            }
            if (sum.a > 0) {
                target.Blend(x, y, Color{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / total});
            }
        }
    }
}

Raster Tinted(const Raster& image, Color c, float opacity) {
    Raster out = image.Blank();
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            out.At(x, y) = Color{c.r, c.g, c.b, image.At(x, y).a * c.a * opacity};
        }
    }
    return out;
}

} // namespace artgen
