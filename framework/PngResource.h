// PNG pictures stored as RCDATA resources (the artwork above 100%), decoded through the
// system's imaging component (WIC) into device-independent bitmaps.
#pragma once

#include "Bitmap.h"

namespace fw {

// Loads the PNG resource into `bitmap`: 24 bits per pixel (blue, green, red) for a picture
// without alpha, 32 (blue, green, red, straight alpha) for one with it, rows top-down.
// The calling thread must have COM initialised. False, with `bitmap` unchanged, when the
// resource is missing or is not a picture that WIC decodes.
bool LoadPngResource(Bitmap& bitmap, HINSTANCE module, const wchar_t* name);

} // namespace fw
