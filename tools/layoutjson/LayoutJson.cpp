// Writes the launcher's layout facts (ui/LauncherLayout.h) as JSON, for the end-to-end tests
// and the benchmark drivers, which are written in Python.
//   orvalis_layoutjson <output.json>
#include "ui/LauncherLayout.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace ui::layout;

std::string Quoted(const char* text) {
    if (!text) {
        return "null";
    }
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        if (*p == '"' || *p == '\\') {
            out += '\\';
        }
        out += *p;
    }
    return out + "\"";
}

std::string BoundsJson(const Bounds& b) {
    std::ostringstream out;
    out << "{\"left\": " << b.left << ", \"top\": " << b.top << ", \"width\": " << b.width
        << ", \"height\": " << b.height << "}";
    return out.str();
}

const char* KindName(ButtonKind kind) {
    return kind == ButtonKind::Title ? "title" : kind == ButtonKind::Large ? "large" : "bottom";
}

std::string LayoutJson() {
    std::ostringstream out;
    out << "{\n";
    out << "  \"windowText\": " << Quoted(kWindowText) << ",\n";
    out << "  \"clientWidth\": " << kClientWidth << ",\n";
    out << "  \"clientHeight\": " << kClientHeight << ",\n";
    out << "  \"skin\": {\"name\": " << Quoted(kSkin.name) << ", \"bounds\": " << BoundsJson(kSkin.bounds)
        << ", \"resource\": " << Quoted(kSkin.resource) << ", \"file\": " << Quoted(kSkin.file)
        << ", \"transparentColor\": " << kSkin.transparentColor << "},\n";
    out << "  \"infoLabels\": [";
    const char* separator = "\n";
    for (const LabelLayout& l : kInfoLabels) {
        out << separator << "    {\"name\": " << Quoted(l.name) << ", \"left\": " << l.left
            << ", \"top\": " << l.top << ", \"color\": " << l.color << "}";
        separator = ",\n";
    }
    out << "\n  ],\n";
    out << "  \"infoLabelHeight\": " << kInfoLabelHeight << ",\n";
    out << "  \"welcome\": " << Quoted(kWelcome) << ",\n";
    out << "  \"pressedFixedRows\": " << kPressedFixedRows << ",\n";
    out << "  \"buttons\": [";
    separator = "\n";
    for (const ButtonLayout& b : kButtons) {
        out << separator << "    {\"name\": " << Quoted(b.name) << ", \"bounds\": " << BoundsJson(b.bounds)
            << ", \"tabOrder\": " << b.tabOrder << ", \"kind\": \"" << KindName(b.kind) << "\""
            << ", \"accessibleName\": " << Quoted(b.accessibleName)
            << ", \"hoverText\": " << Quoted(b.hoverText) << ",\n     \"pictures\": {";
        const char* stateSeparator = "";
        for (PictureState s : kPictureStates) {
            if (!b.HasPicture(s)) {
                continue;
            }
            out << stateSeparator << "\"" << FileSuffix(s)
                << "\": {\"resource\": " << Quoted(b.PictureResource(s).c_str())
                << ", \"file\": " << Quoted(b.PictureFile(s).c_str()) << "}";
            stateSeparator = ", ";
        }
        out << "}}";
        separator = ",\n";
    }
    out << "\n  ],\n";
    out << "  \"menus\": [";
    separator = "\n";
    for (const MenuLayout& m : kMenus) {
        const Point drop = DropPoint(Button(m.button));
        out << separator << "    {\"name\": " << Quoted(m.name) << ", \"button\": " << Quoted(m.button)
            << ", \"dropPoint\": {\"x\": " << drop.x << ", \"y\": " << drop.y << "}}";
        separator = ",\n";
    }
    out << "\n  ]\n}\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvalis_layoutjson <output.json>\n");
        return 2;
    }
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << LayoutJson();
    if (!file) {
        std::fprintf(stderr, "orvalis_layoutjson: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
