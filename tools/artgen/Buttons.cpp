#include "ButtonArt.h"
#include "Skin.h"

#include <algorithm>

namespace artgen {

Raster SkinBehind(const Raster& skin, const ButtonLayout& button) {
    const ui::layout::Bounds& b = button.bounds;
    return skin.Crop(b.left, b.top, b.width, b.height);
}

void SaveButtonPicture(const Paths& paths, const ButtonLayout& button, PictureState state,
                       const Raster& picture) {
    WriteBmp24(paths.resources / button.PictureFile(state), picture);
}

Raster PressedFromHover(const Raster& hover) {
    const int w = hover.Width();
    const int h = hover.Height();
    Raster pressed = hover;
    for (int y = 0; y < h - ui::layout::kPressedFixedRows; ++y) {
        for (int x = 0; x < w; ++x) {
            pressed.At(x, y) = hover.At(std::min(x + 1, w - 1), std::max(y - 1, 0));
        }
    }
    return pressed;
}

void DrawButtons(const Paths& paths) {
    const Raster skin = PaintSkinFace();
    DrawTitleButtons(paths, skin);
    DrawLargeButtons(paths, skin);
    DrawBottomButtons(paths, skin);
}

} // namespace artgen
