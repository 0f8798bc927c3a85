// One function per piece of artwork; each writes its files below Paths::resources.
#pragma once

#include <filesystem>

namespace artgen {

struct Paths {
    std::filesystem::path resources; // the repository's resources/ directory
};

void DrawSkin(const Paths& paths);
void DrawStrips(const Paths& paths);
void DrawButtons(const Paths& paths);
void DrawIcon(const Paths& paths);
void DrawAboutPicture(const Paths& paths);

} // namespace artgen
