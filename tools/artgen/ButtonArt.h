// Shared facts of the launcher's picture buttons: where each sits on the skin and how its
// picture files are named.
#pragma once

#include "Artwork.h"
#include "Raster.h"

#include <string>

namespace artgen {

struct ButtonBounds {
    const char* name;
    int left, top, width, height;
};

inline constexpr ButtonBounds kButtonMin{"ButtonMin", 372, 7, 29, 19};
inline constexpr ButtonBounds kButtonClose2{"ButtonClose2", 399, 7, 30, 19};
inline constexpr ButtonBounds kButtonDataCDDVD{"ButtonDataCDDVD", 20, 40, 99, 108};
inline constexpr ButtonBounds kButtonVCDDVDVideo{"ButtonVCDDVDVideo", 121, 40, 99, 108};
inline constexpr ButtonBounds kButtonAudioCD{"ButtonAudioCD", 225, 40, 99, 108};
inline constexpr ButtonBounds kButtonMoreTools{"ButtonMoreTools", 323, 40, 99, 108};
inline constexpr ButtonBounds kButtonHelp{"ButtonHelp", 54, 182, 82, 33};
inline constexpr ButtonBounds kButtonAbout{"ButtonAbout", 136, 182, 79, 33};
inline constexpr ButtonBounds kButtonHome{"ButtonHome", 215, 182, 78, 33};

// The last rows of a large button that its pressed picture leaves in place.
inline constexpr int kLargeFixedRows = 9;

// The part of the skin face behind the button.
Raster SkinBehind(const Raster& skin, const ButtonBounds& button);

// resources/buttons/<name>.<state>.bmp
void SaveButtonPicture(const Paths& paths, const ButtonBounds& button, const std::string& state,
                       const Raster& picture);

// The large buttons' pressed picture: the hover picture moved one pixel left and one down,
// except the last kLargeFixedRows rows, which stay. The vacated top row and right column repeat
// the nearest hover pixel: pressed(x, y) = hover(min(x + 1, w - 1), max(y - 1, 0)).
Raster PressedFromHover(const Raster& hover);

void DrawTitleButtons(const Paths& paths, const Raster& skin);
void DrawLargeButtons(const Paths& paths, const Raster& skin);
void DrawBottomButtons(const Paths& paths, const Raster& skin);

} // namespace artgen
