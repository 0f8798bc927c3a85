#include "Artwork.h"
#include "Raster.h"

namespace artgen {

void DrawSkin(const Paths&) {}

} // namespace artgen
