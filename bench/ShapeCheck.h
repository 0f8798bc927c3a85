// Before anything is timed: the region builders must agree, on the skin and on
// small pictures that probe the run rules (last column, lone pixels, colours
// one step from the transparent one, 32-bit pictures with alpha).
#pragma once

#include "framework/Bitmap.h"

namespace bench {

// Prints what differs; true when every picture gives the same pixels all ways.
bool CheckShapes(const fw::Bitmap& skin, COLORREF transparent);

} // namespace bench
