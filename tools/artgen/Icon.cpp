// The application icon MAINICON. Every size is laid out on its own pixel grid: the disc's
// edge on whole pixels, fewer and bolder details the smaller it gets, so that the small
// sizes stay crisp instead of being the large drawing shrunk to a blur.
#include "Artwork.h"
#include "Motif.h"

namespace artgen {
namespace {

MotifLook Look48() {
    MotifLook look = MotifIn(0, 0, 48);
    DiscLook& d = look.disc;
    d.centre = {22, 25};
    d.radius = 21;
    d.holeRadius = 2.6f;
    d.hubRadius = 6.2f;
    d.mirrorRadius = 8.2f;
    d.rimWidth = 2.2f; // the clear lip just inside the dark edge
    d.edgeWidth = 1;
    d.grooves = 0;
    d.seams = 0.3f;
    FlameLook& f = look.flame;
    f.base = d.centre;
    f.height = 23.5f;
    f.width = 22;
    f.glow = 0;
    ArmLook& a = look.arm;
    a.pivot = {41.5f, 41.5f};
    a.pivotRadius = 4;
    a.bend = {45, 27};
    a.head = {34.5f, 27};
    a.width = 2.6f;
    a.headLength = 5;
    a.headWidth = 3.6f;
    a.edgeWidth = 0.8f;
    look.shadow = 0;
    return look;
}

MotifLook Look32() {
    MotifLook look = Look48();
    DiscLook& d = look.disc;
    d.centre = {15, 17};
    d.radius = 14;
    d.holeRadius = 1.8f;
    d.hubRadius = 4.2f;
    d.mirrorRadius = 5.6f;
    d.rimWidth = 0;
    d.seams = 0;
    FlameLook& f = look.flame;
    f.base = d.centre;
    f.height = 16;
    f.width = 15;
    ArmLook& a = look.arm;
    a.pivot = {27.5f, 27.5f};
    a.pivotRadius = 3;
    a.bend = {30.5f, 18};
    a.head = {23, 18};
    a.width = 2;
    a.headLength = 3.6f;
    a.headWidth = 2.8f;
    a.edgeWidth = 0.7f;
    return look;
}

MotifLook Look24() {
    MotifLook look = Look32();
    DiscLook& d = look.disc;
    d.centre = {11, 13};
    d.radius = 10.5f;
    d.holeRadius = 1.2f;
    d.hubRadius = 3.2f;
    d.mirrorRadius = 4.2f;
    d.rimWidth = 0;
    d.clearHub = false;
    FlameLook& f = look.flame;
    f.base = d.centre;
    f.height = 12.5f;
    f.width = 11.5f;
    // From here down the arm is a straight bar on the diagonal: a curve two pixels wide
    // only blurs.
    ArmLook& a = look.arm;
    a.pivot = {20, 20};
    a.pivotRadius = 2.6f;
    a.head = {14.5f, 14.5f};
    a.bend = {17.25f, 17.25f};
    a.width = 2.2f;
    a.headLength = 0;
    a.edgeWidth = 0.6f;
    return look;
}

MotifLook Look16() {
    MotifLook look = Look24();
    DiscLook& d = look.disc;
    d.centre = {7.5f, 8.5f};
    d.radius = 7.3f;
    d.holeRadius = 0;
    d.hubRadius = 2.2f;
    d.mirrorRadius = 2.8f;
    FlameLook& f = look.flame;
    f.base = d.centre;
    f.height = 8;
    f.width = 6.2f;
    f.tongues = false;
    ArmLook& a = look.arm;
    a.pivot = {13.2f, 13.2f};
    a.pivotRadius = 1.9f;
    a.head = {9.8f, 9.8f};
    a.bend = {11.5f, 11.5f};
    a.width = 1.7f;
    a.headLength = 0;
    a.edgeWidth = 0.5f;
    return look;
}

} // namespace

void DrawIcon(const Paths& paths) {
    std::vector<Raster> images;
    for (const auto& [size, look] : {std::pair{48, Look48()}, std::pair{32, Look32()},
                                     std::pair{24, Look24()}, std::pair{16, Look16()}}) {
        Raster image(size, size, Rgb(255, 255, 255, 0));
        DrawMotif(image, look);
        images.push_back(std::move(image));
    }
    WriteIco(paths.resources / "orvalis.ico", images);
}

} // namespace artgen
