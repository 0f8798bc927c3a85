// The minimise and close buttons: one glossy red pill in a recessed socket, cut in two.
#include "ButtonArt.h"

namespace artgen {
namespace {

// ButtonClose2 starts two columns before ButtonMin ends and lies on top of it.
constexpr int kPairLeft = kButtonMin.bounds.left;
constexpr int kPairWidth = kButtonClose2.bounds.left + kButtonClose2.bounds.width - kButtonMin.bounds.left;
constexpr int kPairHeight = kButtonMin.bounds.height;
constexpr int kCloseOffset = kButtonClose2.bounds.left - kButtonMin.bounds.left;

Raster PaintPair(const Raster& skin, bool hover) {
    Raster pair = skin.Crop(kPairLeft, kButtonMin.bounds.top, kPairWidth, kPairHeight);
    const float w = static_cast<float>(kPairWidth);
    const float h = static_cast<float>(kPairHeight);
    // Socket: light grey, shaded dark at the top and light at the bottom, so it reads as sunk in.
    pair.Fill(RoundRect(0, 0, w, h, h / 2),
              Vertical(0, h, {{0, Rgb(150, 150, 150)}, {1, Rgb(246, 246, 246)}}));
    pair.Fill(
        RoundRect(1, 1, w - 1, h - 1, h / 2 - 1),
        Vertical(1, h - 1, {{0, Rgb(196, 196, 196)}, {0.35f, Rgb(214, 214, 214)}, {1, Rgb(226, 226, 226)}}));
    // Pill.
    const float l = 2, t = 2, r = w - 2, b = h - 2;
    pair.Fill(RoundRect(l, t, r, b, (b - t) / 2), Rgb(122, 4, 16));
    pair.Fill(RoundRect(l + 1, t + 1, r - 1, b - 1, (b - t) / 2 - 1),
              Vertical(t, b, {{0, Rgb(238, 52, 66)}, {0.5f, Rgb(204, 12, 30)}, {1, Rgb(160, 6, 20)}}));
    const Color gloss = hover ? Rgb(182, 14, 32) : Rgb(255, 196, 204);
    pair.Fill(RoundRect(l + 3, t + 1.5f, r - 3, t + 7.5f, 3),
              Vertical(t + 1.5f, t + 7.5f, {{0, WithAlpha(gloss, 0.95f)}, {1, WithAlpha(gloss, 0.15f)}}));
    // The split: a dark cut with a lit edge after it, at ButtonClose2's first columns.
    const float split = static_cast<float>(kCloseOffset);
    pair.Fill(Intersect(Rect(split, t, split + 1, b), RoundRect(l + 1, t + 1, r - 1, b - 1, 6)),
              Rgb(110, 0, 12));
    pair.Fill(Intersect(Rect(split + 1, t, split + 2, b), RoundRect(l + 1, t + 1, r - 1, b - 1, 6)),
              Rgb(255, 150, 160), 0.45f);
    // Minimise: a short bar in the visible part of the left half; close: a diagonal cross.
    const Color shadow = Rgb(90, 0, 8, 0.5f);
    const Color white = Rgb(255, 255, 255);
    pair.Fill(Rect(11, 11, 20, 13), shadow);
    pair.Fill(Rect(10, 10, 19, 12), white);
    const float cx = split + (w - split) / 2 - 0.5f, cy = h / 2;
    auto cross = [&](float dx, float dy, Color c) {
        pair.Fill(Union(Line({cx - 3.5f + dx, cy - 3.5f + dy}, {cx + 3.5f + dx, cy + 3.5f + dy}, 2),
                        Line({cx + 3.5f + dx, cy - 3.5f + dy}, {cx - 3.5f + dx, cy + 3.5f + dy}, 2)),
                  c);
    };
    cross(0.7f, 0.7f, shadow);
    cross(0, 0, white);
    return pair;
}

} // namespace

void DrawTitleButtons(const Paths& paths, const Raster& skin) {
    const Raster normal = PaintPair(skin, false);
    const Raster hover = PaintPair(skin, true);
    auto left = [](const Raster& pair) {
        return pair.Crop(0, 0, kButtonMin.bounds.width, kButtonMin.bounds.height);
    };
    auto right = [](const Raster& pair) {
        return pair.Crop(kCloseOffset, 0, kButtonClose2.bounds.width, kButtonClose2.bounds.height);
    };
    SaveButtonPicture(paths, kButtonMin, PictureState::Normal, left(normal));
    SaveButtonPicture(paths, kButtonMin, PictureState::Hover, left(hover));
    SaveButtonPicture(paths, kButtonClose2, PictureState::Normal, right(normal));
    SaveButtonPicture(paths, kButtonClose2, PictureState::Hover, right(hover));
}

} // namespace artgen
