#include "Image.h"

namespace fw {

Image::Image(Control* owner) : Control(owner) {}

void Image::SetPicture(const Picture& p) {
    picture_ = p;
    PictureChanged();
}

void Image::SetCenter(bool c) {
    if (c == center_)
        return;
    center_ = c;
    Invalidate();
}

RECT Image::DestRect() const {
    const int w = picture_.Width(), h = picture_.Height();
    int x = 0, y = 0;
    if (center_) {
        x = (Width() - w) / 2;
        y = (Height() - h) / 2;
    }
    return {x, y, x + w, y + h};
}

void Image::Paint(Canvas& canvas) {
    if (Graphic* g = picture_.GetGraphic(); g && !g->Empty())
        g->Draw(canvas, DestRect());
}

} // namespace fw
