// A container window with a flat face in its colour, optional raised or lowered
// bevels around an inner border, and no caption. It paints its windowless
// children over its face.
#pragma once

#include "WinControl.h"

namespace fw {

enum class Bevel { None, Lowered, Raised };

class Panel : public WinControl {
public:
    explicit Panel(Control* owner);

    Bevel BevelInner() const noexcept { return bevelInner_; }
    void SetBevelInner(Bevel b);
    Bevel BevelOuter() const noexcept { return bevelOuter_; }
    void SetBevelOuter(Bevel b);
    int BevelWidth() const noexcept { return bevelWidth_; }
    void SetBevelWidth(int w);
    // The band of face colour between the outer and the inner bevel.
    int BorderWidth() const noexcept { return borderWidth_; }
    void SetBorderWidth(int w);

protected:
    void CreateParamsFor(CreateParams& p) override;
    void PaintWindow(Canvas& canvas) override;

private:
    Bevel bevelInner_ = Bevel::None;
    Bevel bevelOuter_ = Bevel::Raised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
};

// Draws width one-pixel frames inside r, shrinking it: top and left in topColor,
// bottom and right (with the top-right and bottom-left corners) in bottomColor.
void Frame3D(Canvas& canvas, RECT& r, Color topColor, Color bottomColor, int width);

} // namespace fw
