#include "SUIButton.h"

namespace controls {

TsuiImageButton::TsuiImageButton(fw::Control* owner) : TsuiCustomButton(owner) {}

void TsuiImageButton::AssignPicture(fw::Picture& target, const fw::Picture& source) {
    target = source; // the caller keeps its own
    ApplyAutoSize();
    Repaint();
}

void TsuiImageButton::SetPicNormal(const fw::Picture& p) {
    AssignPicture(picNormal_, p);
}
void TsuiImageButton::SetPicMouseOn(const fw::Picture& p) {
    AssignPicture(picMouseOn_, p);
}
void TsuiImageButton::SetPicMouseDown(const fw::Picture& p) {
    AssignPicture(picMouseDown_, p);
}
void TsuiImageButton::SetPicDisabled(const fw::Picture& p) {
    AssignPicture(picDisabled_, p);
}

void TsuiImageButton::SetStretch(bool s) {
    stretch_ = s;
    Repaint();
}

void TsuiImageButton::SetDrawFocused(bool d) {
    drawFocused_ = d;
    Repaint();
}

void TsuiImageButton::ApplyAutoSize() {
    if (!Parent() || !AutoSize() || !picNormal_.HasGraphic())
        return;
    SetHeight(picNormal_.Height());
    SetWidth(picNormal_.Width());
}

void TsuiImageButton::FetchWithFallback(const fw::Picture& own, fw::Bitmap& bitmap) const {
    // Holding any graphic counts, even an empty bitmap: it does not fall back.
    if (own.HasGraphic())
        own.CopyToBitmap(bitmap);
    else if (picNormal_.HasGraphic())
        picNormal_.CopyToBitmap(bitmap);
}

void TsuiImageButton::FetchPicNormal(fw::Bitmap& bitmap) {
    if (picNormal_.HasGraphic())
        picNormal_.CopyToBitmap(bitmap);
}
void TsuiImageButton::FetchPicMouseOn(fw::Bitmap& bitmap) {
    FetchWithFallback(picMouseOn_, bitmap);
}
void TsuiImageButton::FetchPicMouseDown(fw::Bitmap& bitmap) {
    FetchWithFallback(picMouseDown_, bitmap);
}
void TsuiImageButton::FetchPicDisabled(fw::Bitmap& bitmap) {
    FetchWithFallback(picDisabled_, bitmap);
}

void TsuiImageButton::DrawStatePicture(fw::Canvas& canvas, fw::Bitmap& bitmap) {
    if (bitmap.Empty())
        return;
    // The top-left pixel is the colour left out when the picture is transparent.
    bitmap.SetTransparentColor(bitmap.Pixel(0, 0));
    if (stretch_)
        canvas.StretchDraw(RECT{0, 0, Width(), Height()}, bitmap);
    else
        canvas.Draw(0, 0, bitmap); // cut at the right and bottom edges
}

void TsuiImageButton::DrawFocusFrame(fw::Canvas& canvas) {
    if (drawFocused_)
        TsuiCustomButton::DrawFocusFrame(canvas);
}

} // namespace controls
