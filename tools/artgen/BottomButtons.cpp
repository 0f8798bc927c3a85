// Help, About and Home: three segments of one silver bar on the red band.
#include "ButtonArt.h"

#include <array>

namespace artgen {
namespace {

enum class BarState { Normal, Hover, Pressed };

constexpr int kBarTop = 3;     // first bar row inside the pictures
constexpr int kBarBottom = 30; // row after the bar
constexpr float kEndRadius = 13.5f;

Raster PaintSegment(const Raster& skin, const ButtonLayout& button, const char* word, bool roundedLeft,
                    BarState state) {
    Raster picture = SkinBehind(skin, button);
    // Straight edges lie on whole pixels at every scale; a one-pixel line is Px(1) pixels.
    auto snap = [&picture](float v) { return picture.Snap(v); };
    const float pixel = static_cast<float>(picture.Px(1)) / picture.Scale();
    const float w = static_cast<float>(picture.Width()) / picture.Scale();
    const float t = snap(kBarTop), b = snap(kBarBottom);
    // The rounded end keeps two columns of band beside it; straight segments run on past their left edge.
    const float left = roundedLeft ? snap(2.0f) : -kEndRadius;
    const Shape bar = RoundRect(left, t, w + kEndRadius, b, kEndRadius);
    const Shape face = RoundRect(left + pixel, t + pixel, w + kEndRadius, b - pixel, kEndRadius - 1);
    // A soft shadow under the bar on the band.
    picture.Fill(Translate(bar, 0, pixel), Rgb(60, 0, 6), 0.45f);
    picture.Fill(bar, Rgb(92, 92, 96));
    const float lift = state == BarState::Hover ? 16.0f : 0.0f;
    picture.Fill(face, Vertical(t + 1, b - 1,
                                {{0, Rgb(233 + lift, 233 + lift, 233 + lift)},
                                 {0.45f, Rgb(200 + lift, 200 + lift, 202 + lift)},
                                 {0.55f, Rgb(176 + lift, 176 + lift, 178 + lift)},
                                 {1, Rgb(142 + lift, 142 + lift, 142 + lift)}}));
    // Upper rim: light in the normal picture, pinkish white on hover, dark when pressed in.
    const std::array<Color, 3> rims{Rgb(252, 252, 252), Rgb(244, 194, 199), Rgb(101, 88, 91)};
    const Color rim = rims[static_cast<size_t>(state)];
    picture.Fill(Intersect(face, Rect(-20, t + pixel, w + 20, t + 2 * pixel)), rim);
    if (state == BarState::Pressed) {
        // Pressed in: the rim's shadow falls a few rows into the face.
        picture.Fill(
            Intersect(face, Rect(-20, t + 2 * pixel, w + 20, t + 7)),
            Vertical(t + 2, t + 7,
                     {{0, Rgb(70, 58, 60, 0.8f)}, {0.4f, Rgb(70, 58, 60, 0.35f)}, {1, Rgb(70, 58, 60, 0)}}));
    }
    // Lower rim catches a little light.
    picture.Fill(Intersect(face, Rect(-20, b - 2 * pixel, w + 20, b - pixel)), Rgb(214, 214, 214), 0.6f);
    // Divider in the last column.
    picture.Fill(Intersect(bar, Rect(w - pixel, t, w, b)), Rgb(48, 48, 48));
    if (!roundedLeft) {
        // The divider of the segment before leaves a lit edge on this one.
        picture.Fill(Intersect(face, Rect(0, t + pixel, pixel, b - pixel)), Rgb(255, 255, 255), 0.35f);
    }
    // Wine's bold face is barely heavier at this size; a thickened regular face reads as bold.
    // Text is set at the picture's own scale, never scaled as pixels.
    Font font(TahomaRegular(), picture.Px(11));
    font.SetEmbolden(1.0f * picture.Scale());
    const int textWidth = font.Measure(word);
    const float textCentre = roundedLeft ? (w + 4) / 2 : (w - 1) / 2;
    const int shift = state == BarState::Pressed ? picture.Px(1) : 0;
    const int penX = static_cast<int>(textCentre * picture.Scale()) - textWidth / 2 + shift;
    const int baseline = picture.Px((kBarTop + kBarBottom) / 2 + 4) + shift;
    font.Draw(picture, penX, baseline + picture.Px(1), word, Rgb(255, 255, 255), 0.45f);
    font.Draw(picture, penX, baseline, word, Rgb(0, 0, 0));
    return picture;
}

struct Segment {
    const ButtonLayout& button;
    const char* word;
    bool roundedLeft;
};

} // namespace

void DrawBottomButtons(const Paths& paths, const Raster& skin) {
    const Segment segments[] = {
        {kButtonHelp, "Help", true}, {kButtonAbout, "About", false}, {kButtonHome, "Home", false}};
    for (const Segment& s : segments) {
        SaveButtonPicture(paths, s.button, PictureState::Normal,
                          PaintSegment(skin, s.button, s.word, s.roundedLeft, BarState::Normal));
        SaveButtonPicture(paths, s.button, PictureState::Hover,
                          PaintSegment(skin, s.button, s.word, s.roundedLeft, BarState::Hover));
        SaveButtonPicture(paths, s.button, PictureState::Pressed,
                          PaintSegment(skin, s.button, s.word, s.roundedLeft, BarState::Pressed));
    }
}

} // namespace artgen
