#include "ShapeCheck.h"

#include "RegionBuilders.h"
#include "RegionPixels.h"

#include "controls/SkinForm.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace bench {
namespace {

constexpr COLORREF kFuchsia = 0xFF00FF;

struct Case {
    std::string name;
    fw::Bitmap bitmap;
    COLORREF transparent = kFuchsia;
};

fw::Bitmap Filled(int w, int h, int bpp, COLORREF c) {
    fw::Bitmap b(w, h, bpp);
    b.Fill(c);
    return b;
}

std::vector<Case> SmallCases() {
    std::vector<Case> cases;
    const COLORREF grey = RGB(128, 128, 128);
    cases.push_back({"opaque 7x3", Filled(7, 3, 24, grey), kFuchsia});
    cases.push_back({"one pixel wide", Filled(1, 4, 24, grey), kFuchsia});
    cases.push_back({"all transparent", Filled(6, 2, 24, kFuchsia), kFuchsia});
    cases.push_back({"zero width", Filled(0, 3, 24, grey), kFuchsia});

    fw::Bitmap column = Filled(9, 4, 24, grey);
    for (int y = 0; y < 4; ++y)
        column.SetPixel(4, y, kFuchsia);
    cases.push_back({"transparent middle column", column, kFuchsia});

    fw::Bitmap lone = Filled(8, 3, 24, kFuchsia);
    lone.SetPixel(1, 0, grey);
    lone.SetPixel(3, 1, grey);
    lone.SetPixel(7, 2, grey); // alone in the last column: adds nothing
    cases.push_back({"lone pixels", lone, kFuchsia});

    fw::Bitmap nearly = Filled(6, 2, 24, RGB(254, 0, 255));
    nearly.SetPixel(2, 0, kFuchsia);
    cases.push_back({"one step from fuchsia", nearly, kFuchsia});

    cases.push_back({"colour with a top byte", Filled(5, 2, 24, kFuchsia), 0x01FF00FF});

    // Random pictures, half fuchsia; the 32-bit ones with random alpha, which
    // GetPixel never reports and the shape must ignore.
    std::mt19937 random(20261209);
    for (int bpp : {24, 32}) {
        for (int i = 0; i < 4; ++i) {
            fw::Bitmap b(3 + static_cast<int>(random() % 40), 1 + static_cast<int>(random() % 20), bpp);
            for (int y = 0; y < b.Height(); ++y) {
                for (int x = 0; x < b.Width(); ++x) {
                    b.SetPixel(x, y, random() % 2 ? kFuchsia : RGB(random() % 256, random() % 3, 255));
                    if (bpp == 32)
                        b.Row(y)[x * 4 + 3] = static_cast<std::uint8_t>(random());
                }
            }
            cases.push_back({"random " + std::to_string(bpp) + "-bit " + std::to_string(b.Width()) + "x" +
                                 std::to_string(b.Height()),
                             b, kFuchsia});
        }
    }
    return cases;
}

bool Agree(const Case& probe, bool print) {
    const int w = probe.bitmap.Width();
    const int h = probe.bitmap.Height();
    fw::UniqueRgn literal = LiteralRegion(probe.bitmap, probe.transparent);
    fw::UniqueRgn ours = controls::CreateRegionFromBitmap(probe.bitmap, probe.transparent);
    if (!literal || !ours) {
        std::printf("FAIL %s: a region could not be created\n", probe.name.c_str());
        return false;
    }
    const PixelSet literalSet = RegionPixels(literal.get(), w, h);
    const PixelSet ourSet = RegionPixels(ours.get(), w, h);
    bool same = literalSet.SamePixels(ourSet) && !literalSet.outOfBounds && !ourSet.outOfBounds;
    int plainCount = -1;
    // The plain scan reads 24-bit rows only.
    if (probe.bitmap.BitsPerPixel() == 24) {
        fw::UniqueRgn plain = RegionFromRects(PlainScanRuns(probe.bitmap, probe.transparent));
        const PixelSet plainSet = RegionPixels(plain.get(), w, h);
        same = same && literalSet.SamePixels(plainSet) && !plainSet.outOfBounds;
        plainCount = plainSet.Count();
    }
    if (print || !same)
        std::printf("%s %s: (a) %d px in %d rects, (b) %d px, (c) %d px in %d rects\n",
                    same ? "shape" : "FAIL", probe.name.c_str(), literalSet.Count(), literalSet.rectCount,
                    plainCount, ourSet.Count(), ourSet.rectCount);
    return same;
}

} // namespace

bool CheckShapes(const fw::Bitmap& skin, COLORREF transparent) {
    bool ok = Agree(Case{"skin", skin, transparent}, true);
    // What the skin's fuchsia pixels give, counted straight from the bitmap.
    int expected = 0;
    for (int y = 0; y < skin.Height(); ++y)
        for (int x = 0; x + 1 < skin.Width(); ++x)
            expected += skin.Pixel(x, y) != transparent;
    fw::UniqueRgn ours = controls::CreateRegionFromBitmap(skin, transparent);
    if (RegionPixels(ours.get(), skin.Width(), skin.Height()).Count() != expected) {
        std::printf("FAIL skin: %d px expected from the bitmap\n", expected);
        ok = false;
    }
    int small = 0;
    for (const Case& probe : SmallCases()) {
        ok = Agree(probe, false) && ok;
        ++small;
    }
    std::printf("shape: %s (the skin and %d small pictures)\n",
                ok ? "all three ways cover the same pixels" : "FAIL: the ways differ", small);
    return ok;
}

} // namespace bench
