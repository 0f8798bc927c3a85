#include "PaintBuffer.h"

namespace fw {

Canvas* PaintBuffer::Begin(HDC target, SIZE client, const RECT& rect) {
    if (client.cx <= 0 || client.cy <= 0 || rect.right <= rect.left || rect.bottom <= rect.top)
        return nullptr;
    if (!canvas_ || canvas_->Width() != client.cx || canvas_->Height() != client.cy)
        canvas_ = std::make_unique<MemoryCanvas>(client.cx, client.cy, target);
    else if (clipped_) // a paint that ended by an exception
        ::SelectClipRgn(canvas_->Handle(), nullptr);
    // Only a part of the client is painted: the clip keeps the drawing inside it.
    // The clip region is dropped again afterwards rather than by RestoreDC, which
    // would also put back the objects the canvas keeps selected between paints.
    clipped_ = rect.left > 0 || rect.top > 0 || rect.right < client.cx || rect.bottom < client.cy;
    if (clipped_)
        ::IntersectClipRect(canvas_->Handle(), rect.left, rect.top, rect.right, rect.bottom);
    return canvas_.get();
}

void PaintBuffer::End(HDC target, const RECT& rect) {
    HDC dc = canvas_->Handle();
    ::BitBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dc, rect.left,
             rect.top, SRCCOPY);
    if (clipped_)
        ::SelectClipRgn(dc, nullptr);
    clipped_ = false;
}

} // namespace fw
