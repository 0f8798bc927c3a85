#include "SkinImageButton.h"

#include <algorithm>
#include <cstring>

namespace controls {

TSkinImageButton::TSkinImageButton(fw::Control* owner) : TSkinCustomButton(owner) {}

void TSkinImageButton::AssignPicture(fw::Picture& target, const fw::Picture& source) {
    target = source; // the caller keeps its own
    ApplyAutoSize();
    Repaint();
}

void TSkinImageButton::SetPicNormal(const fw::Picture& p) {
    AssignPicture(picNormal_, p);
}
void TSkinImageButton::SetPicMouseOn(const fw::Picture& p) {
    AssignPicture(picMouseOn_, p);
}
void TSkinImageButton::SetPicMouseDown(const fw::Picture& p) {
    AssignPicture(picMouseDown_, p);
}
void TSkinImageButton::SetPicDisabled(const fw::Picture& p) {
    AssignPicture(picDisabled_, p);
}

void TSkinImageButton::SetStretch(bool s) {
    stretch_ = s;
    Repaint();
}

void TSkinImageButton::SetDrawFocused(bool d) {
    drawFocused_ = d;
    Repaint();
}

void TSkinImageButton::SetKeyboardFocusCue(const std::optional<TSkinFocusCue>& cue) {
    focusCue_ = cue;
    Repaint();
}

void TSkinImageButton::ApplyAutoSize() {
    if (!Parent() || !AutoSize() || !picNormal_.HasGraphic())
        return;
    SetHeight(picNormal_.Height());
    SetWidth(picNormal_.Width());
}

void TSkinImageButton::CopyPicture(const fw::Picture& picture, fw::Bitmap& bitmap) {
    const auto* graphic = dynamic_cast<const fw::BitmapGraphic*>(picture.GetGraphic());
    if (!graphic) {
        picture.CopyToBitmap(bitmap); // empties for no graphic, throws for any other kind
        return;
    }
    const fw::Bitmap& source = graphic->GetBitmap();
    const bool samePixels = bitmap.HasImage() && source.HasImage() && !source.Empty() &&
                            bitmap.Width() == source.Width() && bitmap.Height() == source.Height() &&
                            bitmap.BitsPerPixel() == source.BitsPerPixel() &&
                            bitmap.Stride() == source.Stride();
    if (!samePixels) {
        bitmap.Assign(source);
        return;
    }
    ::GdiFlush(); // the bitmap's pixels may still be the target of queued drawing
    std::memcpy(bitmap.Row(0), source.Row(0), static_cast<size_t>(source.Stride()) * source.Height());
}

void TSkinImageButton::FetchWithFallback(const fw::Picture& own, fw::Bitmap& bitmap) const {
    // Holding any graphic counts, even an empty bitmap: it does not fall back.
    if (own.HasGraphic())
        CopyPicture(own, bitmap);
    else
        CopyPicture(picNormal_, bitmap);
}

void TSkinImageButton::FetchPicNormal(fw::Bitmap& bitmap) {
    CopyPicture(picNormal_, bitmap);
}
void TSkinImageButton::FetchPicMouseOn(fw::Bitmap& bitmap) {
    FetchWithFallback(picMouseOn_, bitmap);
}
void TSkinImageButton::FetchPicMouseDown(fw::Bitmap& bitmap) {
    FetchWithFallback(picMouseDown_, bitmap);
}
void TSkinImageButton::FetchPicDisabled(fw::Bitmap& bitmap) {
    FetchWithFallback(picDisabled_, bitmap);
}

void TSkinImageButton::DrawStatePicture(fw::Canvas& canvas, fw::Bitmap& bitmap) {
    if (bitmap.Empty())
        return;
    // The top-left pixel is the colour left out when the picture is transparent.
    bitmap.SetTransparentColor(bitmap.Pixel(0, 0));
    if (stretch_)
        DrawPicture(canvas, bitmap, RECT{0, 0, Width(), Height()});
    else // cut at the right and bottom edges
        DrawPicture(canvas, bitmap, RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

void TSkinImageButton::DrawFocusFrame(fw::Canvas& canvas) {
    if (drawFocused_) {
        TSkinCustomButton::DrawFocusFrame(canvas);
        return;
    }
    if (!focusCue_ || !FocusCuesShown())
        return;
    // Bands between rounded rectangles, from the margin inwards, all within the
    // button's own bounds: the outer colour's band, then the inner line. Regions,
    // so that the bands meet at the corners without a gap.
    const RECT client = ClientRect();
    const int m = FocusedRectMargin();
    auto rounded = [&](int inset) {
        const int corner = std::max(2 * (focusCue_->radius - (inset - m)), 0);
        return fw::UniqueRgn(::CreateRoundRectRgn(inset, inset, client.right - inset + 1,
                                                  client.bottom - inset + 1, corner, corner));
    };
    const int widths[] = {std::max(focusCue_->outerWidth, 0), 1};
    const fw::Color colors[] = {focusCue_->outer, focusCue_->inner};
    int inset = m;
    for (int band = 0; band < 2; ++band) {
        if (client.right - 2 * (inset + widths[band]) < 1 || client.bottom - 2 * (inset + widths[band]) < 1)
            break;
        fw::UniqueRgn ring = rounded(inset);
        fw::UniqueRgn hole = rounded(inset + widths[band]);
        ::CombineRgn(ring.get(), ring.get(), hole.get(), RGN_DIFF);
        fw::UniqueBrush brush(::CreateSolidBrush(fw::ColorToRGB(colors[band])));
        ::FillRgn(canvas.Handle(), ring.get(), brush.get());
        inset += widths[band];
    }
}

} // namespace controls
