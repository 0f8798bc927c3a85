// The product motif shared by the application icon and the About picture: an iridescent
// purple disc, an orange flame rising from its hub and a silver tool arm reaching onto it
// from the lower right. Every measure is in target pixels, so that each icon size can be
// laid onto the pixel grid by hand instead of being shrunk from the large drawing.
#pragma once

#include "Raster.h"

namespace artgen {

struct DiscLook {
    Point centre;
    float radius = 0;
    float holeRadius = 0;   // the see-through spindle hole
    float hubRadius = 0;    // clear plastic ring around the hole
    bool clearHub = true;   // see-through hub; the small sizes keep it solid so it reads as light
    float mirrorRadius = 0; // silvery band between the hub and the data area
    float rimWidth = 0;     // translucent outer edge; 0 for none
    float edgeWidth = 1;    // dark line that keeps the disc apart from a light ground
    float grooves = 0;      // strength of the fine rings; 0 where they would only add noise
    float seams = 0;        // strength of the lines where the recorded area starts and ends
};

struct FlameLook {
    Point base;          // where the flame leaves the hub
    float height = 0;    // from the base up to the tip
    float width = 0;     // at its widest
    float sway = 0;      // how far the tip leans to the right, in widths
    bool tongues = true; // side tongues; too fine for the smallest sizes
    float rim = 0;       // blur radius of the deeper colour along its outline; 0 for none
    float glow = 0;      // blur radius of the warm glow around it; 0 for none
};

struct ArmLook {
    Point pivot;
    float pivotRadius = 0;
    Point bend; // control point of the arm's curve
    Point head; // end of the arm, resting on the disc
    float width = 0;
    float headLength = 0;
    float headWidth = 0;
    float headTurn = 0; // radians the head is turned down from the arm's own direction
    float edgeWidth = 1;
};

struct MotifLook {
    DiscLook disc;
    FlameLook flame;
    ArmLook arm;
    float shadow = 0; // offset of the soft drop shadow; 0 for none
    int samples = 8;  // supersampling per axis
};

// The look laid out in the square box [x0, x0 + size) x [y0, y0 + size).
MotifLook MotifIn(float x0, float y0, float size);

void DrawMotif(Raster& target, const MotifLook& look);

} // namespace artgen
