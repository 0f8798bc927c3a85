// TPNGGraphic: the alpha picture. A bitmap picture whose fourth byte per pixel
// is a straight (not premultiplied) opacity; it draws itself by blending every
// pixel over what the canvas already shows there.
#pragma once

#include "framework/Graphic.h"

namespace controls {

class TPNGGraphic : public fw::BitmapGraphic {
public:
    TPNGGraphic() = default;

    std::string TypeName() const override { return "TPNGGraphic"; }
    std::unique_ptr<fw::Graphic> Clone() const override { return std::make_unique<TPNGGraphic>(*this); }
    void Draw(fw::Canvas& canvas, const RECT& r) const override { DrawBlended(canvas, r); }

    // 32 bits per pixel: blends over the canvas's current pixels under r (only
    // when r has the picture's size; otherwise the pixels are copied back
    // unchanged). Any other depth: an ordinary stretched bitmap draw.
    void DrawBlended(fw::Canvas& canvas, const RECT& r) const;
};

// Module initialisation and finalisation of the picture type.
void RegisterPNGGraphic();
void UnregisterPNGGraphic();

} // namespace controls
