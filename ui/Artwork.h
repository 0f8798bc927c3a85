// The launcher's and the About dialog's pictures at a display scale: the artwork
// stored for that scale, or, between the stored scales, the next larger one reduced
// once as it is loaded (beyond the largest, the largest enlarged). The 100% pictures
// are plain bitmap resources; the others are PNG resources, decoded only when a
// window is laid out at their scale.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Graphic.h"

#include <string>

namespace ui {

// The stored scale (in dots per inch) whose artwork serves a display of dpi.
int StoredDpiFor(int dpi) noexcept;

// The picture stored as name at 100%, at dpi: designWidth x designHeight scaled.
// False, with bitmap unchanged, when the module holds no such picture.
bool LoadScaledBitmap(fw::Bitmap& bitmap, const std::string& name, int designWidth, int designHeight,
                      int dpi);

// The launcher's skin at dpi, its transparent outline the 100% outline scaled.
bool LoadSkin(fw::Bitmap& bitmap, int dpi);

// The About picture at dpi into picture, an alpha picture of its stored type holding
// a 32-bit straight-alpha bitmap. Throws std::runtime_error when it cannot be read.
void LoadAboutPicture(fw::Picture& picture, int dpi);

} // namespace ui
