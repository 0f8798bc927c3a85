// Drawing helpers the icon and the About picture need beyond the shared drawing layer.
#pragma once

#include "Raster.h"

#include <functional>

namespace artgen {

// The colour of one sample point, alpha included; alpha 0 where nothing is drawn.
using SamplePaint = std::function<Color(float x, float y)>;

// Composites a painting whose colour and opacity change within a pixel (zones of different
// opacity side by side) over the raster: every pixel averages its samples with their alpha
// weighting the colour, so neighbouring zones meet without a see-through seam and every
// boundary between them is anti-aliased.
void FillSampled(Raster& target, Box bounds, const SamplePaint& paint, int samples = 8);

// Every pixel's colour set to `c` and its alpha scaled by `opacity`: the base of a shadow or glow.
Raster Tinted(const Raster& image, Color c, float opacity);

} // namespace artgen
