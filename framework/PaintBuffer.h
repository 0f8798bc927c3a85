// The off-screen buffer of a windowed control that paints itself: a memory DC
// with a bitmap compatible with the window, kept at the client size between
// paints, since making them costs more than a paint. A paint draws into it,
// clipped to the rectangle being painted, and reaches the window with one copy
// of that rectangle, so that nothing on screen is seen half drawn.
#pragma once

#include "Canvas.h"

#include <memory>

namespace fw {

class PaintBuffer {
public:
    // Calls draw(canvas) with a canvas in client coordinates, clipped to rect,
    // and copies rect to the same place of target.
    template <typename Draw> void Paint(HDC target, SIZE client, const RECT& rect, Draw&& draw) {
        if (Canvas* canvas = Begin(target, client, rect)) {
            draw(*canvas);
            End(target, rect);
        }
    }
    // Frees the buffer; the next paint makes a new one.
    void Reset() noexcept { canvas_.reset(); }

private:
    Canvas* Begin(HDC target, SIZE client, const RECT& rect);
    void End(HDC target, const RECT& rect);

    std::unique_ptr<MemoryCanvas> canvas_;
    bool clipped_ = false;
};

} // namespace fw
