#include "ButtonArt.h"
#include "Skin.h"

#include <algorithm>

namespace artgen {

Raster SkinBehind(const Raster& skin, const ButtonBounds& button) {
    return skin.Crop(button.left, button.top, button.width, button.height);
}

void SaveButtonPicture(const Paths& paths, const ButtonBounds& button, const std::string& state,
                       const Raster& picture) {
    WriteBmp24(paths.resources / "buttons" / (std::string(button.name) + "." + state + ".bmp"), picture);
}

Raster PressedFromHover(const Raster& hover) {
    const int w = hover.Width();
    const int h = hover.Height();
    Raster pressed = hover;
    for (int y = 0; y < h - kLargeFixedRows; ++y) {
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
