#include "RegionBuilders.h"

#include <cstdint>

namespace bench {

fw::UniqueRgn LiteralRegion(const fw::Bitmap& bitmap, COLORREF transparent) {
    fw::UniqueDC dc(::CreateCompatibleDC(nullptr));
    fw::ScopedSelect selected(dc.get(), bitmap.Handle());
    fw::UniqueRgn result(::CreateRectRgn(0, 0, 0, 0));
    const int height = bitmap.Height();
    for (int y = 0; y < height; ++y) {
        bool open = false;
        int start = 0;
        int end = 0;
        const int width = bitmap.Width();
        for (int x = 0; x < width; ++x) {
            const COLORREF p = ::GetPixel(dc.get(), x, y);
            if (p == transparent || x == width - 1) {
                if (open) {
                    fw::UniqueRgn run(::CreateRectRgn(start, y, end + 1, y + 1));
                    ::CombineRgn(result.get(), result.get(), run.get(), RGN_OR);
                }
                open = false;
            } else if (!open) {
                open = true;
                start = end = x;
            } else {
                end = x;
            }
        }
    }
    return result;
}

std::vector<RECT> PlainScanRuns(const fw::Bitmap& bitmap, COLORREF transparent) {
    std::vector<RECT> rects;
    if (bitmap.BitsPerPixel() != 24 || bitmap.Width() < 2)
        return rects;
    // Memory order is blue, green, red; COLORREF is 0x00BBGGRR.
    const std::uint32_t key =
        (transparent >> 24)
            ? 0xFFFFFFFFu
            : (GetBValue(transparent) | GetGValue(transparent) << 8 | GetRValue(transparent) << 16);
    const int last = bitmap.Width() - 1;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const std::uint8_t* p = bitmap.Row(y);
        int start = -1;
        for (int x = 0; x < last; ++x, p += 3) {
            const std::uint32_t c = p[0] | p[1] << 8 | p[2] << 16;
            if (c == key) {
                if (start >= 0)
                    rects.push_back(RECT{start, y, x, y + 1});
                start = -1;
            } else if (start < 0) {
                start = x;
            }
        }
        if (start >= 0)
            rects.push_back(RECT{start, y, last, y + 1});
    }
    return rects;
}

fw::UniqueRgn RegionFromRects(const std::vector<RECT>& rects) {
    if (rects.empty())
        return fw::UniqueRgn(::CreateRectRgn(0, 0, 0, 0));
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(rects.size());
    rgn->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bounds = rects.front();
    for (const RECT& r : rects)
        ::UnionRect(&bounds, &bounds, &r);
    rgn->rdh.rcBound = bounds;
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(rgn->Buffer));
    return fw::UniqueRgn(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn));
}

} // namespace bench
