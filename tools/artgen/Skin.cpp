#include "Skin.h"

#include "Artwork.h"
#include "core/Scale.h"

#include <algorithm>
#include <cmath>

namespace artgen {
namespace {

constexpr Color kKey = Color{255, 0, 255, 1};
constexpr Color kProductRed = Color{223, 3, 26, 1};

constexpr int kTitleBottom = 31; // last row of the title strip
constexpr int kBandTop = 179;    // first row of the red band
constexpr int kPanelLeft = 12, kPanelTop = 39, kPanelRight = 430, kPanelBottom = 155;

Color Gray(float v) {
    return Rgb(v, v, v);
}

float Lerp(float a, float b, float t) {
    return a + (b - a) * std::clamp(t, 0.0f, 1.0f);
}

// Piecewise-linear value over integer rows: {row, value} pairs in increasing row order.
float Ramp(float y, std::initializer_list<std::pair<float, float>> points) {
    auto it = points.begin();
    if (y <= it->first) {
        return it->second;
    }
    for (auto prev = it++; it != points.end(); prev = it++) {
        if (y <= it->first) {
            return Lerp(prev->second, it->second, (y - prev->first) / (it->first - prev->first));
        }
    }
    return (points.end() - 1)->second;
}

int CornerSteps(int y) {
    if (y <= 3) {
        return 4 - y;
    }
    if (y >= kSkinHeight - 4) {
        return 4 - (kSkinHeight - 1 - y);
    }
    return 0;
}

bool IsFace(int x, int y) {
    return x >= 0 && y >= 0 && x <= kFaceRight && y < kSkinHeight && !IsSkinKey(x, y);
}

// Face pixels with a non-face neighbour above, below, left or right.
bool IsOutline(int x, int y) {
    return IsFace(x, y) && (!IsFace(x - 1, y) || !IsFace(x + 1, y) || !IsFace(x, y - 1) || !IsFace(x, y + 1));
}

// Rows as design coordinates measured like pixel indices: row y is y at 100%.
Color BandColor(float y) {
    const float r = Ramp(y, {{179, 207}, {190, 201}, {216, 101}});
    const float g = Ramp(y, {{179, 20}, {190, 18}, {216, 6}});
    const float b = Ramp(y, {{179, 47}, {190, 42}, {216, 10}});
    return Rgb(r, g, b);
}

// The per-pixel zones below are laid out on design pixels: each pixel takes the zone of the
// design pixel it shows, so a one-pixel line is as many pixels wide as the scale, and the
// gradients run on the pixel's own design coordinate.
void PaintBody(Raster& face) {
    for (int y = 0; y < face.Height(); ++y) {
        const Color body = Gray(Ramp(face.DesignAt(y), {{33, 189}, {178, 156}}));
        for (int x = 0; x < face.Width() && face.DesignPixel(x) <= kFaceRight; ++x) {
            face.At(x, y) = body;
        }
    }
}

void PaintSideFrames(Raster& face) {
    for (int y = 0; y < face.Height(); ++y) {
        const int row = face.DesignPixel(y);
        if (row < kTitleBottom + 2 || row >= kBandTop) {
            continue;
        }
        const float fy = face.DesignAt(y);
        const float light = Ramp(fy, {{33, 197}, {120, 248}, {178, 196}});
        for (int px = 0; px < face.Width(); ++px) {
            const int column = face.DesignPixel(px);
            // Column x of the left frame, mirrored at kFaceRight - x on the right.
            const int x = column <= 10 ? column : kFaceRight - column;
            if (x < 1 || x > 10) {
                continue;
            }
            float v = Lerp(150, 180, static_cast<float>(x - 1) / 9.0f);
            // The bevel darkens a little towards the band, as the body does.
            v -= Ramp(fy, {{33, 0}, {178, 10}});
            if (x == 5 || x == 6) {
                v = x == 5 ? light : light - 8;
            }
            face.At(px, y) = Gray(v);
        }
    }
}

void PaintTitleStrip(Raster& face) {
    for (int y = 0; y < face.Height(); ++y) {
        const int row = face.DesignPixel(y);
        if (row < 1 || row > kTitleBottom + 1) {
            continue;
        }
        float v = Ramp(face.DesignAt(y),
                       {{1, 179}, {3, 222}, {5, 246}, {7, 255}, {11, 255}, {20, 222}, {29, 190}, {30, 209}});
        if (row == kTitleBottom + 1) {
            v = 131;
        }
        for (int x = 0; x < face.Width() && face.DesignPixel(x) <= kFaceRight; ++x) {
            face.At(x, y) = Gray(v);
        }
    }
}

// The product name, bold and extended so that its ink fills x 156..288, y 12..25.
void PaintProductName(Raster& face) {
    const std::string name = "Orvalis";
    constexpr int kInkLeft = 156, kInkTop = 12, kInkWidth = 133, kInkHeight = 14;
    // The ink box in pixels of the face: the fit below runs on the font at the face's scale.
    const int inkLeft = face.Px(kInkLeft), inkTop = face.Px(kInkTop);
    const int inkWidth = face.Px(kInkWidth), inkHeight = face.Px(kInkHeight);
    const float weight = 1.6f * face.Scale();
    // The largest size whose letters, with their light edge below, fit the height.
    int size = face.Px(12);
    for (int probeSize = face.Px(12); probeSize <= face.Px(26); ++probeSize) {
        Font probe(TahomaRegular(), probeSize);
        probe.SetEmbolden(weight);
        const Box ink = probe.InkBounds(name);
        if (ink.y1 - ink.y0 <= inkHeight - face.Px(1)) {
            size = probeSize;
        }
    }
    // Widen the glyphs, then close the remaining gap with letter spacing.
    auto inkWidthOf = [&](int width, int tracking) {
        Font probe(TahomaRegular(), size, width);
        probe.SetEmbolden(weight);
        probe.SetTracking(tracking);
        const Box ink = probe.InkBounds(name);
        return static_cast<int>(ink.x1 - ink.x0);
    };
    int width = size;
    while (inkWidthOf(width + 1, 0) <= inkWidth - face.Px(18)) {
        ++width;
    }
    int tracking = 0;
    while (inkWidthOf(width, tracking + 1) <= inkWidth) {
        ++tracking;
    }
    Font font(TahomaRegular(), size, width);
    font.SetEmbolden(weight);
    font.SetTracking(tracking);
    const Box ink = font.InkBounds(name);
    const int slack = inkWidth - static_cast<int>(ink.x1 - ink.x0);
    const int penX = inkLeft + slack / 2 - static_cast<int>(ink.x0);
    const int baseline = inkTop - static_cast<int>(ink.y0);
    // A soft light edge below the letters seats them in the glossy strip.
    font.Draw(face, penX, baseline + face.Px(1), name, Rgb(255, 255, 255), 0.6f);
    font.Draw(face, penX, baseline, name,
              Vertical(static_cast<float>(kInkTop), static_cast<float>(kInkTop + kInkHeight - 1),
                       {{0, Rgb(234, 30, 50)}, {0.4f, kProductRed}, {1, Rgb(206, 2, 23)}}));
}

// Upper boundary of the panel's black area: rises from the left edge to the upper right.
float GlossEdge(float x) {
    const float t = std::clamp((x - kPanelLeft) / static_cast<float>(kPanelRight - kPanelLeft), 0.0f, 1.0f);
    return 58.0f + 32.0f * (1.0f - t) * (1.0f - t);
}

void PaintDisplayPanel(Raster& face) {
    const float l = kPanelLeft, t = kPanelTop, r = kPanelRight + 1, b = kPanelBottom + 1;
    // Bezel: mid grey, a shade darker at its outer edge where it sinks into the body.
    face.Fill(RoundRect(l, t, r, b, 8), Gray(96));
    face.Fill(RoundRect(l + 1, t + 1, r - 1, b - 1, 7),
              Vertical(t, b, {{0, Gray(112)}, {0.5f, Gray(121)}, {1, Gray(119)}}));
    // The light line along the lower edge catches the light from above.
    const Shape lowerRim = Intersect(RoundRect(l + 1, t + 1, r - 1, b - 1, 7), Rect(l, 152, r, 155));
    face.Fill(lowerRim, [](float, float y) {
        return y < 153 ? Rgb(244, 243, 243) : (y < 154 ? Gray(234) : Gray(206));
    });
    // Screen.
    const Shape screen = RoundRect(l + 4, t + 4, r - 4, 152, 5);
    face.Fill(screen, Vertical(43, 152,
                               {{0, Gray(30)},
                                {0.3f, Gray(18)},
                                {0.62f, Gray(11)},
                                {0.85f, Rgb(40, 34, 34)},
                                {1, Rgb(77, 65, 65)}}));
    const Shape gloss =
        Intersect(screen, Shape{[](float x, float y) { return y < GlossEdge(x); }, Box{l, t, r, 92}});
    face.Fill(gloss, Vertical(43, 92, {{0, Gray(95)}, {0.55f, Gray(66)}, {1, Gray(46)}}));
    // A faint sheen just under the gloss edge keeps the curve readable on the black.
    const Shape sheen = Intersect(screen, Shape{[](float x, float y) {
                                                    const float e = GlossEdge(x);
                                                    return y >= e && y < e + 3;
                                                },
                                                Box{l, t, r, 95}});
    face.Fill(sheen, Gray(60), 0.25f);
}

void PaintRedBand(Raster& face) {
    const Shape band = RoundRect4(0, kBandTop, kFaceRight + 1, kSkinHeight, 5, 5, 0, 0);
    face.Fill(band, [](float, float y) { return BandColor(y - 0.5f); });
    // Gloss over the upper ten rows, strongest at the top.
    const Shape highlight = RoundRect4(2, kBandTop + 1, kFaceRight - 1, kBandTop + 11, 4, 4, 0, 0);
    face.Fill(highlight, [](float, float y) {
        const float a = Ramp(y, {{180.5f, 1.0f}, {184, 0.75f}, {189.5f, 0.1f}});
        return Rgb(229, 114, 130, a);
    });
}

void PaintOutline(Raster& face) {
    for (int py = 0; py < face.Height(); ++py) {
        const int y = face.DesignPixel(py);
        const float fy = face.DesignAt(py);
        for (int px = 0; px < face.Width(); ++px) {
            if (!IsOutline(face.DesignPixel(px), y)) {
                continue;
            }
            Color c;
            if (y <= 3 && (y == 0 || CornerSteps(y) > 0)) {
                c = Gray(131);
            } else if (y >= kBandTop) {
                // Beside and below the band the outline takes the band's own dark reds.
                const Color band = BandColor(fy);
                c = y == kSkinHeight - 1 || CornerSteps(y) > 0
                        ? BandColor(static_cast<float>(kSkinHeight - 1))
                        : Rgb(band.r * 0.62f, band.g * 0.5f, band.b * 0.55f);
            } else if (y <= kTitleBottom + 1) {
                c = Gray(Ramp(fy, {{4, 131}, {32, 135}}));
            } else {
                c = Gray(Ramp(fy, {{33, 135}, {178, 99}}));
            }
            face.At(px, py) = c;
        }
    }
}

} // namespace

bool IsSkinKey(int x, int y) {
    if (x == kSkinWidth - 1) {
        return true;
    }
    const int steps = CornerSteps(y);
    return x < steps || x > kFaceRight - steps;
}

Raster PaintSkinFace(int dpi) {
    Raster face(core::ScaleLength(kSkinWidth, dpi), core::ScaleLength(kSkinHeight, dpi), Gray(0), dpi);
    PaintBody(face);
    PaintSideFrames(face);
    PaintTitleStrip(face);
    PaintProductName(face);
    PaintDisplayPanel(face);
    PaintRedBand(face);
    PaintOutline(face);
    return face;
}

void DrawSkin(const Paths& paths, int dpi) {
    Raster skin = PaintSkinFace(dpi);
    // The key is stamped last so that no anti-aliased edge blends towards it, on exactly the
    // pixels whose design pixel carries it: the outline at every scale is the 100% outline.
    for (int y = 0; y < skin.Height(); ++y) {
        for (int x = 0; x < skin.Width(); ++x) {
            if (IsSkinKey(skin.DesignPixel(x), skin.DesignPixel(y))) {
                skin.Set(x, y, kKey);
            }
        }
    }
    SaveOpaque(paths, ui::layout::kSkin.file, skin);
}

} // namespace artgen
