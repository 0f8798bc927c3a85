#include "Raster.h"

#include "core/Scale.h"

#include <algorithm>
#include <cmath>

namespace artgen {

Raster::Raster(int width, int height, Color fill, int dpi)
    : width_(width), height_(height), dpi_(dpi), scale_(static_cast<float>(dpi) / 96.0f),
      pixels_(static_cast<size_t>(width) * height, fill) {}

int Raster::Px(int designLength) const {
    return core::ScaleLength(designLength, dpi_);
}

float Raster::Snap(float design) const {
    if (dpi_ == 96) {
        return design;
    }
    return std::round(design * scale_) / scale_;
}

void Raster::Blend(int x, int y, Color c, float coverage) {
    if (!Contains(x, y)) {
        return;
    }
    const float sa = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (sa <= 0) {
        return;
    }
    Color& d = At(x, y);
    const float da = d.a * (1 - sa);
    const float outA = sa + da;
    d.r = (c.r * sa + d.r * da) / outA;
    d.g = (c.g * sa + d.g * da) / outA;
    d.b = (c.b * sa + d.b * da) / outA;
    d.a = outA;
}

void Raster::Set(int x, int y, Color c) {
    if (Contains(x, y)) {
        At(x, y) = c;
    }
}

void Raster::Fill(const Shape& shape, const Paint& paint, float opacity, int samples) {
    const float s = scale_;
    const int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x0 * s)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y0 * s)) - 1);
    const int x1 = std::min(width_, static_cast<int>(std::ceil(shape.bounds.x1 * s)) + 1);
    const int y1 = std::min(height_, static_cast<int>(std::ceil(shape.bounds.y1 * s)) + 1);
    const float step = 1.0f / static_cast<float>(samples);
    const float total = static_cast<float>(samples * samples);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    if (shape.inside((x + (sx + 0.5f) * step) / s, (y + (sy + 0.5f) * step) / s)) {
                        ++hits;
                    }
                }
            }
            if (hits > 0) {
                Blend(x, y, paint((x + 0.5f) / s, (y + 0.5f) / s),
                      opacity * static_cast<float>(hits) / total);
            }
        }
    }
}

void Raster::Fill(const Shape& shape, Color c, float opacity, int samples) {
    Fill(shape, Solid(c), opacity, samples);
}

void Raster::Draw(const Raster& src, int x, int y, float opacity) {
    for (int sy = 0; sy < src.Height(); ++sy) {
        for (int sx = 0; sx < src.Width(); ++sx) {
            Blend(x + sx, y + sy, src.At(sx, sy), opacity);
        }
    }
}

Raster Raster::Crop(int x, int y, int width, int height) const {
    Raster out(width, height, Color{}, dpi_);
    for (int cy = 0; cy < height; ++cy) {
        for (int cx = 0; cx < width; ++cx) {
            if (Contains(x + cx, y + cy)) {
                out.At(cx, cy) = At(x + cx, y + cy);
            }
        }
    }
    return out;
}

Raster Raster::Blurred(float designSigma) const {
    const float sigma = designSigma * scale_;
    const int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3)));
    std::vector<float> kernel(static_cast<size_t>(2 * radius + 1));
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        kernel[static_cast<size_t>(i + radius)] = std::exp(-(i * i) / (2 * sigma * sigma));
        sum += kernel[static_cast<size_t>(i + radius)];
    }
    for (float& k : kernel) {
        k /= sum;
    }
    // Premultiplied so that transparent pixels do not darken the result.
    std::vector<Color> pre(pixels_.size());
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const Color& c = pixels_[i];
        pre[i] = Color{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
    }
    auto pass = [&](const std::vector<Color>& in, bool horizontal) {
        std::vector<Color> out(in.size());
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                Color acc{};
                for (int i = -radius; i <= radius; ++i) {
                    const int sx = horizontal ? x + i : x;
                    const int sy = horizontal ? y : y + i;
                    if (!Contains(sx, sy)) {
                        continue;
                    }
                    const Color& c = in[static_cast<size_t>(sy) * width_ + sx];
                    const float k = kernel[static_cast<size_t>(i + radius)];
                    acc.r += c.r * k;
                    acc.g += c.g * k;
                    acc.b += c.b * k;
                    acc.a += c.a * k;
                }
                out[static_cast<size_t>(y) * width_ + x] = acc;
            }
        }
        return out;
    };
    const std::vector<Color> blurred = pass(pass(pre, true), false);
    Raster result = Blank();
    for (size_t i = 0; i < blurred.size(); ++i) {
        const Color& c = blurred[i];
        result.pixels_[i] = c.a > 1e-6f ? Color{c.r / c.a, c.g / c.a, c.b / c.a, c.a} : Color{};
    }
    return result;
}

unsigned char ToByte(float channel) {
    return static_cast<unsigned char>(std::clamp(std::lround(channel), 0L, 255L));
}

} // namespace artgen
