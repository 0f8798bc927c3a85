// resources/scaled.rc, included by orvalis.rc: one line per picture above 100%, named by the
// scaled-resource rule and written from the launcher's layout, so that the script can never
// name a picture the generator did not draw.
#include "Artwork.h"

#include "core/Scale.h"
#include "ui/LauncherLayout.h"

#include <fstream>
#include <stdexcept>

namespace artgen {

void WriteScaledResourceScript(const Paths& paths) {
    std::string script = "// Written by tools/artgen with the pictures it draws; do not edit.\n"
                         "// <NAME>_<PERCENT> RCDATA: a PNG picture at that scale (see orvalis.rc).\n";
    auto line = [&script](const std::string& name, int dpi, const std::string& file100) {
        script += core::ScaledResourceName(name, dpi) + " RCDATA \"" +
                  PictureFile(file100, dpi).generic_string() + "\"\n";
    };
    for (int dpi : core::kStoredDpis) {
        if (dpi == core::kDesignDpi) {
            continue;
        }
        script += "\n";
        line(ui::layout::kSkin.resource, dpi, ui::layout::kSkin.file);
        for (const ui::layout::ButtonLayout& button : ui::layout::kButtons) {
            for (ui::layout::PictureState state : ui::layout::kPictureStates) {
                if (button.HasPicture(state)) {
                    line(button.PictureResource(state), dpi, button.PictureFile(state));
                }
            }
        }
        line("ABOUTPICTURE", dpi, "about.bmp");
    }
    const std::filesystem::path file = paths.resources / "scaled.rc";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << script;
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace artgen
