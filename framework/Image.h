// A windowless picture control: draws its picture's graphic (at its natural
// size, centred or at the top-left corner) over whatever its parent painted.
#pragma once

#include "Control.h"
#include "Graphic.h"

namespace fw {

class Image : public Control {
public:
    explicit Image(Control* owner);

    // Changing the picture in place shows after PictureChanged (or the next paint).
    Picture& GetPicture() noexcept { return picture_; }
    const Picture& GetPicture() const noexcept { return picture_; }
    void SetPicture(const Picture& p);
    void PictureChanged() { Invalidate(); }

    bool Center() const noexcept { return center_; }
    void SetCenter(bool c);

    // Where the graphic goes, in the control's coordinates; with Center the
    // offsets truncate toward zero, so a larger picture hangs over both sides.
    RECT DestRect() const;
    void Paint(Canvas& canvas) override;

private:
    Picture picture_;
    bool center_ = false;
};

} // namespace fw
