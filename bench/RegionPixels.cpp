#include "RegionPixels.h"

#include <algorithm>

namespace bench {

int PixelSet::Count() const {
    return static_cast<int>(std::count(inside.begin(), inside.end(), true));
}

PixelSet RegionPixels(HRGN region, int width, int height) {
    PixelSet set;
    set.width = width;
    set.height = height;
    set.inside.assign(static_cast<size_t>(width) * height, false);
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    if (size == 0)
        return set;
    std::vector<BYTE> data(size);
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    if (::GetRegionData(region, size, rgn) == 0)
        return set;
    const RECT* rects = reinterpret_cast<const RECT*>(rgn->Buffer);
    set.rectCount = static_cast<int>(rgn->rdh.nCount);
    for (DWORD i = 0; i < rgn->rdh.nCount; ++i) {
        const RECT& r = rects[i];
        if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height)
            set.outOfBounds = true;
        for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y)
            for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width); ++x)
                set.inside[static_cast<size_t>(y) * width + x] = true;
    }
    return set;
}

} // namespace bench
