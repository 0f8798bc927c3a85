// Ways to build a skin's window region that the launcher's own is measured
// against. Both give the shape of the bitmap's pixels that are not exactly the
// transparent colour, less the last column, one run per horizontal stretch.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Handles.h"

#include <vector>

namespace bench {

// The literal rules: GetPixel per pixel on a memory DC holding the bitmap, and
// per run CreateRectRgn, CombineRgn(RGN_OR) into the result, DeleteObject.
fw::UniqueRgn LiteralRegion(const fw::Bitmap& bitmap, COLORREF transparent);

// The least a scan can do: read each 24-bit row once and note the runs.
std::vector<RECT> PlainScanRuns(const fw::Bitmap& bitmap, COLORREF transparent);
// One region from the run rectangles with a single ExtCreateRegion.
fw::UniqueRgn RegionFromRects(const std::vector<RECT>& rects);

} // namespace bench
