#include "Artwork.h"
#include "Raster.h"

namespace artgen {

void DrawButtons(const Paths&) {}

} // namespace artgen
