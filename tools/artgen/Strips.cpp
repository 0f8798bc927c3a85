#include "Artwork.h"
#include "Raster.h"

namespace artgen {

void DrawStrips(const Paths&) {}

} // namespace artgen
