// The control kit's built-in styles and their button strips.
#pragma once

#include "framework/Bitmap.h"

#include <cstdint>

namespace controls {

enum class TSkinUIStyle : std::uint8_t {
    FromThemeFile = 0,
    Silver = 1,
    Classic = 2,
    Navy = 3,
    Amber = 4,
    Glass = 5,
};

// The button strip of a built-in style: three frames side by side, from the
// module's bitmap resources ("NAVY_BUTTON" ...). FromThemeFile has no strip
// and gives an empty bitmap, as does a resource that cannot be loaded.
const fw::Bitmap& BuiltInButtonStrip(TSkinUIStyle style);

// Frame k (from 1) of n equal frames side by side: w = width div n columns from
// (k - 1) * w, except the last frame, which takes the rightmost w columns.
// An empty strip or a frame of no width gives an empty bitmap.
fw::Bitmap StripFrame(const fw::Bitmap& strip, int k, int n);

} // namespace controls
