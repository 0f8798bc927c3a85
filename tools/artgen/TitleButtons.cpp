// The minimise and close buttons: one glossy red pill in a recessed socket, cut in two.
#include "ButtonArt.h"

namespace artgen {
namespace {

// ButtonClose2 starts two columns before ButtonMin ends and lies on top of it. The pair is drawn
// as one picture from ButtonMin's left edge to ButtonClose2's right edge at the skin's scale.
struct PairPlace {
    int left, top, width, height; // pixels of the skin
    int closeOffset;              // ButtonClose2's first column within the pair
};

PairPlace PlaceOfPair(const Raster& skin) {
    const ui::layout::Bounds& min = kButtonMin.bounds;
    const ui::layout::Bounds& close = kButtonClose2.bounds;
    const int left = skin.Px(min.left);
    const int closeLeft = skin.Px(close.left);
    return {left, skin.Px(min.top), closeLeft + skin.Px(close.width) - left, skin.Px(min.height),
            closeLeft - left};
}

Raster PaintPair(const Raster& skin, bool hover) {
    const PairPlace place = PlaceOfPair(skin);
    Raster pair = skin.Crop(place.left, place.top, place.width, place.height);
    const float scale = pair.Scale();
    const float w = static_cast<float>(place.width) / scale;
    const float h = static_cast<float>(place.height) / scale;
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
    // The split: a dark cut with a lit edge after it, on ButtonClose2's first pixel columns.
    const float split = static_cast<float>(place.closeOffset) / scale;
    const float pixel = static_cast<float>(pair.Px(1)) / scale;
    pair.Fill(Intersect(Rect(split, t, split + pixel, b), RoundRect(l + 1, t + 1, r - 1, b - 1, 6)),
              Rgb(110, 0, 12));
    pair.Fill(
        Intersect(Rect(split + pixel, t, split + 2 * pixel, b), RoundRect(l + 1, t + 1, r - 1, b - 1, 6)),
        Rgb(255, 150, 160), 0.45f);
    // Minimise: a short bar in the visible part of the left half; close: a diagonal cross.
    const Color shadow = Rgb(90, 0, 8, 0.5f);
    const Color white = Rgb(255, 255, 255);
    pair.Fill(Rect(pair.Snap(11), pair.Snap(11), pair.Snap(20), pair.Snap(13)), shadow);
    pair.Fill(Rect(pair.Snap(10), pair.Snap(10), pair.Snap(19), pair.Snap(12)), white);
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
    const PairPlace place = PlaceOfPair(skin);
    const Raster normal = PaintPair(skin, false);
    const Raster hover = PaintPair(skin, true);
    auto left = [&](const Raster& pair) {
        return pair.Crop(0, 0, skin.Px(kButtonMin.bounds.width), skin.Px(kButtonMin.bounds.height));
    };
    auto right = [&](const Raster& pair) {
        return pair.Crop(place.closeOffset, 0, skin.Px(kButtonClose2.bounds.width),
                         skin.Px(kButtonClose2.bounds.height));
    };
    SaveButtonPicture(paths, kButtonMin, PictureState::Normal, left(normal));
    SaveButtonPicture(paths, kButtonMin, PictureState::Hover, left(hover));
    SaveButtonPicture(paths, kButtonClose2, PictureState::Normal, right(normal));
    SaveButtonPicture(paths, kButtonClose2, PictureState::Hover, right(hover));
}

} // namespace artgen
