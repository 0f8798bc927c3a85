// The four large tool buttons on the display panel: a disc icon and a caption.
#include "ButtonArt.h"
#include "DiscIcons.h"

#include <functional>

namespace artgen {
namespace {

constexpr DiscPlace kDisc{{49.5f, 46.5f}, 35.0f}; // x 14..84, y 11..81
constexpr int kCaptionBaseline = 95;              // caption ink on y 86..96

struct LargeButton {
    const ButtonLayout& button;
    const char* caption;
    std::function<void(Raster&)> icon;
};

void PaintCaption(Raster& picture, const char* caption) {
    // Wine's bold face is barely heavier at this size; a thickened regular face reads as bold.
    // Text is rendered at the picture's own scale, never scaled as pixels.
    Font font(TahomaRegular(), picture.Px(11));
    font.SetEmbolden(1.0f * picture.Scale());
    const int width = font.Measure(caption);
    const int penX = (picture.Width() - width) / 2;
    const int baseline = picture.Px(kCaptionBaseline);
    font.Draw(picture, penX, baseline + picture.Px(1), caption, Rgb(0, 0, 0), 0.6f);
    font.Draw(picture, penX, baseline, caption, Rgb(255, 255, 255));
}

Raster PaintLarge(const Raster& skin, const LargeButton& large, bool hover) {
    Raster picture = SkinBehind(skin, large.button);
    if (hover) {
        PaintDiscGlow(picture, kDisc);
    }
    large.icon(picture);
    PaintCaption(picture, large.caption);
    return picture;
}

} // namespace

void DrawLargeButtons(const Paths& paths, const Raster& skin) {
    const LargeButton buttons[] = {
        {kButtonDataCDDVD, "Data CD/DVD",
         [](Raster& r) {
             PaintDisc(r, kDisc, PurpleDisc());
             PaintFlameAndStick(r, kDisc);
         }},
        {kButtonVCDDVDVideo, "VCD/DVD-Video",
         [](Raster& r) {
             PaintDisc(r, kDisc, SilverRainbowDisc());
             PaintDiscLabel(r, kDisc, "DVD", {kDisc.centre.x, kDisc.centre.y - 20}, 15, Rgb(44, 44, 70));
             PaintFilmStrip(r, kDisc);
         }},
        {kButtonAudioCD, "Audio CD",
         [](Raster& r) {
             PaintDisc(r, kDisc, PurpleDisc());
             PaintDiscLabel(r, kDisc, "CD", {kDisc.centre.x - 13, kDisc.centre.y - 16}, 16,
                            Rgb(255, 255, 255));
             PaintMusicBadge(r, kDisc);
         }},
        {kButtonMoreTools, "More Tools",
         [](Raster& r) {
             PaintDisc(r, kDisc, PurpleDisc());
             PaintToolArm(r, kDisc);
         }},
    };
    for (const LargeButton& large : buttons) {
        const Raster hover = PaintLarge(skin, large, true);
        SaveButtonPicture(paths, large.button, PictureState::Normal, PaintLarge(skin, large, false));
        SaveButtonPicture(paths, large.button, PictureState::Hover, hover);
        SaveButtonPicture(paths, large.button, PictureState::Pressed, PressedFromHover(hover));
    }
}

} // namespace artgen
