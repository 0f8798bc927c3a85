#include "Artwork.h"

#include "core/Scale.h"

namespace artgen {

std::filesystem::path PictureFile(const std::string& file100, int dpi) {
    if (dpi == core::kDesignDpi) {
        return file100;
    }
    std::filesystem::path file =
        std::filesystem::path("scaled") / std::to_string(core::ScalePercent(dpi)) / file100;
    return file.replace_extension(".png");
}

void SaveOpaque(const Paths& paths, const std::string& file100, const Raster& picture) {
    const std::filesystem::path file = paths.resources / PictureFile(file100, picture.Dpi());
    if (picture.Dpi() == core::kDesignDpi) {
        WriteBmp24(file, picture);
    } else {
        WritePngRgb(file, picture);
    }
}

} // namespace artgen
