// The launcher's skin: its geometry and the face that the button pictures are drawn on.
#pragma once

#include "Raster.h"
#include "ui/LauncherLayout.h"

namespace artgen {

inline constexpr int kSkinWidth = ui::layout::kSkin.bounds.width;
inline constexpr int kSkinHeight = ui::layout::kSkin.bounds.height;
inline constexpr int kFaceRight = kSkinWidth - 2; // last face column; column 443 is all transparent key

// True for the pixels that carry the transparent key colour: the last column and the
// four one-pixel corner steps of the 443-pixel-wide face.
bool IsSkinKey(int x, int y);

// The opaque face at that scale without the key pixels (they hold face colour too).
Raster PaintSkinFace(int dpi);

} // namespace artgen
