#pragma once

#include "ImageView.h"

namespace core {

// Blends a 32-bit straight-alpha picture over target (3 or 4 bytes per pixel), channel by channel:
// new = ((P - D) * alpha + D * 256) >> 8. The divisor is 256, so 255 over 0 at alpha 255 gives 254.
// Covers the overlap of both sizes, rows counted from the top; a target alpha byte is left as it is.
void BlendBitmap32(MutableImageView target, const ImageView& picture);

} // namespace core
