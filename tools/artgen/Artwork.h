// One function per piece of artwork; each writes its files below Paths::resources. Pictures
// of the launcher and the About dialog are drawn at every stored scale from the same code.
#pragma once

#include "Raster.h"

#include <filesystem>
#include <string>

namespace artgen {

struct Paths {
    std::filesystem::path resources; // the repository's resources/ directory
};

// Where a picture of that scale lies below resources/: the 100% pictures as bitmap files at
// their own place ("skin.bmp"), the others as PNG files in a folder per scale
// ("scaled/150/skin.png").
std::filesystem::path PictureFile(const std::string& file100, int dpi);

// Writes an opaque picture: a 24-bit bitmap at 100%, an 8-bit RGB PNG otherwise.
void SaveOpaque(const Paths& paths, const std::string& file100, const Raster& picture);

void DrawSkin(const Paths& paths, int dpi);
void DrawStrips(const Paths& paths);
void DrawButtons(const Paths& paths, int dpi);
void DrawIcon(const Paths& paths);
void DrawAboutPicture(const Paths& paths, int dpi);
// resources/scaled.rc: the resource lines of every picture above 100%.
void WriteScaledResourceScript(const Paths& paths);

} // namespace artgen
