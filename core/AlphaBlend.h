#pragma once

#include "ImageView.h"

namespace core {

// Blends a 32-bit straight-alpha picture over target (3 or 4 bytes per pixel), channel by channel:
// new = ((P - D) * alpha + D * 256) >> 8. The divisor is 256, so 255 over 0 at alpha 255 gives 254.
// Covers the overlap of both sizes, rows counted from the top; a target alpha byte is left as it is.
// Onto 24-bit targets it takes the widest instructions the processor has; every path gives the
// same integers.
void BlendBitmap32(MutableImageView target, const ImageView& picture);

// The ways the blend can run onto a 24-bit target, slowest first.
enum class BlendPath { Scalar, Ssse3, Avx2 };
// Whether this processor can run the path.
bool BlendPathAvailable(BlendPath path) noexcept;
// The blend through one path, which must be available (tests compare the paths).
void BlendBitmap32(MutableImageView target, const ImageView& picture, BlendPath path);

} // namespace core
