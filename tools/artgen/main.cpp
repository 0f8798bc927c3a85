// Draws every committed artwork file from code, so the Windows build needs no generator.
//   orvalis_artgen <resources-dir>
#include "Artwork.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvalis_artgen <resources-dir>\n");
        return 2;
    }
    try {
        const artgen::Paths paths{argv[1]};
        artgen::DrawSkin(paths);
        artgen::DrawStrips(paths);
        artgen::DrawButtons(paths);
        artgen::DrawIcon(paths);
        artgen::DrawAboutPicture(paths);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvalis_artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
