#include "ButtonArt.h"
#include "Skin.h"

#include <algorithm>

namespace artgen {

Raster SkinBehind(const Raster& skin, const ButtonLayout& button) {
    const ui::layout::Bounds& b = button.bounds;
    return skin.Crop(skin.Px(b.left), skin.Px(b.top), skin.Px(b.width), skin.Px(b.height));
}

void SaveButtonPicture(const Paths& paths, const ButtonLayout& button, PictureState state,
                       const Raster& picture) {
    SaveOpaque(paths, button.PictureFile(state), picture);
}

Raster PressedFromHover(const Raster& hover) {
    const int w = hover.Width();
    const int h = hover.Height();
    const int shift = hover.Px(1);
    Raster pressed = hover;
    for (int y = 0; y < h - hover.Px(ui::layout::kPressedFixedRows); ++y) {
        for (int x = 0; x < w; ++x) {
            pressed.At(x, y) = hover.At(std::min(x + shift, w - 1), std::max(y - shift, 0));
        }
    }
    return pressed;
}

void DrawButtons(const Paths& paths, int dpi) {
    const Raster skin = PaintSkinFace(dpi);
    DrawTitleButtons(paths, skin);
    DrawLargeButtons(paths, skin);
    DrawBottomButtons(paths, skin);
}

} // namespace artgen
