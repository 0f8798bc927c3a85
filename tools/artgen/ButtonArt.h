// Shared facts of the launcher's picture buttons: where each sits on the skin and how its
// picture files are named.
#pragma once

#include "Artwork.h"
#include "Raster.h"
#include "ui/LauncherLayout.h"

#include <string>

namespace artgen {

using ui::layout::ButtonLayout;
using ui::layout::PictureState;

inline constexpr const ButtonLayout& kButtonMin = ui::layout::Button("ButtonMin");
inline constexpr const ButtonLayout& kButtonClose2 = ui::layout::Button("ButtonClose2");
inline constexpr const ButtonLayout& kButtonDataCDDVD = ui::layout::Button("ButtonDataCDDVD");
inline constexpr const ButtonLayout& kButtonVCDDVDVideo = ui::layout::Button("ButtonVCDDVDVideo");
inline constexpr const ButtonLayout& kButtonAudioCD = ui::layout::Button("ButtonAudioCD");
inline constexpr const ButtonLayout& kButtonMoreTools = ui::layout::Button("ButtonMoreTools");
inline constexpr const ButtonLayout& kButtonHelp = ui::layout::Button("ButtonHelp");
inline constexpr const ButtonLayout& kButtonAbout = ui::layout::Button("ButtonAbout");
inline constexpr const ButtonLayout& kButtonHome = ui::layout::Button("ButtonHome");

// The part of the skin face behind the button, where the button lies at the skin's scale: a
// raster of the button's scaled size whose design origin is the button's top-left corner.
Raster SkinBehind(const Raster& skin, const ButtonLayout& button);

// buttons/<name>.<state>.bmp at 100%, scaled/<percent>/buttons/<name>.<state>.png otherwise.
void SaveButtonPicture(const Paths& paths, const ButtonLayout& button, ui::layout::PictureState state,
                       const Raster& picture);

// The large buttons' pressed picture: the hover picture moved d = Px(1) pixels left and down,
// except its last Px(kPressedFixedRows) rows, which stay. The vacated top rows and right
// columns repeat the nearest hover pixel: pressed(x, y) = hover(min(x + d, w - 1), max(y - d, 0)).
Raster PressedFromHover(const Raster& hover);

void DrawTitleButtons(const Paths& paths, const Raster& skin);
void DrawLargeButtons(const Paths& paths, const Raster& skin);
void DrawBottomButtons(const Paths& paths, const Raster& skin);

} // namespace artgen
