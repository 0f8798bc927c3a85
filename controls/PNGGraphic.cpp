#include "PNGGraphic.h"

#include "core/AlphaBlend.h"
#include "framework/GraphicRegistry.h"

namespace controls {

void TPNGGraphic::DrawBlended(fw::Canvas& canvas, const RECT& r) const {
    const fw::Bitmap& picture = GetBitmap();
    if (picture.BitsPerPixel() != 32) {
        BitmapGraphic::Draw(canvas, r);
        return;
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0 || picture.Empty())
        return;
    // The blend needs the target's pixels in memory: take what the canvas shows
    // under r, blend there, and put it back. Clipping on the canvas decides
    // which pixels actually change.
    fw::Bitmap work(w, h, 24);
    {
        fw::BitmapCanvas workCanvas(work);
        ::BitBlt(workCanvas.Handle(), 0, 0, w, h, canvas.Handle(), r.left, r.top, SRCCOPY);
        ::GdiFlush(); // the DIB section's bits are read directly below
        if (w == picture.Width() && h == picture.Height())
            core::BlendBitmap32(work.MutableView(), picture.View());
        ::BitBlt(canvas.Handle(), r.left, r.top, w, h, workCanvas.Handle(), 0, 0, SRCCOPY);
    }
}

void RegisterPNGGraphic() {
    fw::GraphicRegistry::Instance().Register<TPNGGraphic>("png", L"Portable Network Graphics");
}

void UnregisterPNGGraphic() {
    fw::GraphicRegistry::Instance().Unregister<TPNGGraphic>();
}

} // namespace controls
