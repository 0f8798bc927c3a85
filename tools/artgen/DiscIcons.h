// The disc icons of the four large launcher buttons.
#pragma once

#include "Raster.h"

namespace artgen {

struct DiscPlace {
    Point centre;
    float radius;
};

// A shiny disc: base colour, iridescent sheen, clear hub and see-through spindle hole.
struct DiscColors {
    Color inner, outer;        // radial body colours
    float sheen;               // strength of the rainbow reflections
    std::vector<Stop> rainbow; // colours around the disc, first equal to last
};

DiscColors PurpleDisc();
DiscColors SilverRainbowDisc();

void PaintDisc(Raster& target, const DiscPlace& disc, const DiscColors& colors);
// A soft white halo just outside the disc.
void PaintDiscGlow(Raster& target, const DiscPlace& disc);

void PaintFlameAndStick(Raster& target, const DiscPlace& disc);
void PaintFilmStrip(Raster& target, const DiscPlace& disc);
void PaintDiscLabel(Raster& target, const DiscPlace& disc, const char* text, Point centre, int size, Color c);
void PaintMusicBadge(Raster& target, const DiscPlace& disc);
void PaintToolArm(Raster& target, const DiscPlace& disc);

} // namespace artgen
