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

// The same look at k times the size, for the sizes between two hand-laid ones; the callers put
// the disc's edge back on whole pixels.
MotifLook ScaledLook(MotifLook look, float k) {
    auto point = [k](Point& p) { p = {p.x * k, p.y * k}; };
    DiscLook& d = look.disc;
    point(d.centre);
    for (float* v : {&d.radius, &d.holeRadius, &d.hubRadius, &d.mirrorRadius, &d.rimWidth}) {
        *v *= k;
    }
    FlameLook& f = look.flame;
    point(f.base);
    for (float* v : {&f.height, &f.width, &f.rim, &f.glow}) {
        *v *= k;
    }
    ArmLook& a = look.arm;
    point(a.pivot);
    point(a.bend);
    point(a.head);
    for (float* v : {&a.pivotRadius, &a.width, &a.headLength, &a.headWidth}) {
        *v *= k;
    }
    look.shadow *= k;
    return look;
}

// Windows asks for 20, 40 and 64 pixels at 125%, 250% (and 200% for some views) and in
// large views, and for 256 in the largest ones.
MotifLook Look64() {
    MotifLook look = ScaledLook(Look48(), 64.0f / 48.0f);
    look.disc.centre = {29, 33};
    look.disc.radius = 28;
    look.disc.seams = 0.35f;
    look.flame.base = look.disc.centre;
    look.arm.pivot = {55.5f, 55.5f};
    look.arm.pivotRadius = 5.5f;
    return look;
}

MotifLook Look40() {
    MotifLook look = ScaledLook(Look48(), 40.0f / 48.0f);
    look.disc.centre = {18.5f, 21.5f};
    look.disc.radius = 17.5f;
    look.flame.base = look.disc.centre;
    look.arm.pivot = {34.5f, 34.5f};
    look.arm.pivotRadius = 3.5f;
    return look;
}

MotifLook Look20() {
    MotifLook look = ScaledLook(Look24(), 20.0f / 24.0f);
    look.disc.centre = {9.5f, 10.5f};
    look.disc.radius = 8.5f;
    look.flame.base = look.disc.centre;
    look.arm.pivot = {16.5f, 16.5f};
    look.arm.pivotRadius = 2.2f;
    return look;
}

// The full drawing, as the About picture has it, with room for its glow and shadow.
MotifLook Look256() {
    return MotifIn(4, 4, 248);
}

} // namespace

void DrawIcon(const Paths& paths) {
    std::vector<Raster> images;
    // The four sizes of 100% first, as they always were; the larger scales' sizes after them.
    for (const auto& [size, look] :
         {std::pair{48, Look48()}, std::pair{32, Look32()}, std::pair{24, Look24()}, std::pair{16, Look16()},
          std::pair{256, Look256()}, std::pair{64, Look64()}, std::pair{40, Look40()},
          std::pair{20, Look20()}}) {
        Raster image(size, size, Rgb(255, 255, 255, 0));
        DrawMotif(image, look);
        images.push_back(std::move(image));
    }
    WriteIco(paths.resources / "orvalis.ico", images);
}

} // namespace artgen
