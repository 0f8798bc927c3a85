// Artwork for scales between the stored ones: area averaging and the skin's outline.
#include "core/Resample.h"
#include "core/Scale.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

using core::ApplyScaledOutline;
using core::ResampleArea;
using testing_support::TestImage;

namespace {

constexpr uint32_t kFuchsia = 0xFF00FF;

uint32_t ColorOf(TestImage& image, int x, int y) {
    const uint8_t* p = image.Pixel(x, y);
    return static_cast<uint32_t>(p[2]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[0]) << 16;
}

TEST(Resample, EachTargetPixelIsTheAverageOfTheAreaItCoversAtAnyRatio) {
    // Reductions by whole and by uneven ratios, and one enlargement: a plain picture stays plain.
    const int sizes[][4] = {{4, 2, 2, 1}, {555, 271, 490, 239}, {7, 5, 3, 4}, {3, 3, 8, 8}};
    for (const auto& s : sizes) {
        TestImage source(s[0], s[1], 3), target(s[2], s[3], 3);
        source.Fill(0x4080C0);
        ResampleArea(source.View(), target.MutableView(), kFuchsia);
        for (int y = 0; y < s[3]; ++y)
            for (int x = 0; x < s[2]; ++x)
                ASSERT_EQ(ColorOf(target, x, y), 0x4080C0u)
                    << s[0] << " to " << s[2] << " at " << x << "," << y;
    }
    // Two columns into one: the rounded mean; three into two: the middle one split in half.
    TestImage pair(2, 1, 3), one(1, 1, 3);
    pair.Set(0, 0, 0x000000);
    pair.Set(1, 0, 0x0000FF); // red 255
    ResampleArea(pair.View(), one.MutableView(), kFuchsia);
    EXPECT_EQ(one.Pixel(0, 0)[2], 128);
    TestImage three(3, 1, 3), two(2, 1, 3);
    three.Set(0, 0, 0x000000);
    three.Set(1, 0, 0x000090); // red 144
    three.Set(2, 0, 0x0000F0); // red 240
    ResampleArea(three.View(), two.MutableView(), kFuchsia);
    EXPECT_EQ(two.Pixel(0, 0)[2], 48);  // (0 * 2 + 144) / 3
    EXPECT_EQ(two.Pixel(1, 0)[2], 208); // (144 + 240 * 2) / 3
}

TEST(Resample, TransparentPixelsLendNoColour) {
    // The skin's cut-away fuchsia beside a grey face: the face stays grey, and an area
    // of fuchsia only stays fuchsia.
    TestImage skin(4, 1, 3), reduced(2, 1, 3);
    skin.Set(0, 0, kFuchsia);
    skin.Set(1, 0, kFuchsia);
    skin.Set(2, 0, kFuchsia);
    skin.Set(3, 0, 0x808080);
    ResampleArea(skin.View(), reduced.MutableView(), kFuchsia);
    EXPECT_EQ(ColorOf(reduced, 0, 0), kFuchsia);
    EXPECT_EQ(ColorOf(reduced, 1, 0), 0x808080u);

    // Straight alpha: a transparent pixel's colour does not tint its opaque neighbour.
    TestImage picture(2, 1, 4), half(1, 1, 4);
    picture.Set(0, 0, 0x0000FF, 0);   // red, but invisible
    picture.Set(1, 0, 0xFF0000, 200); // blue
    ResampleArea(picture.View(), half.MutableView(), 0);
    EXPECT_EQ(ColorOf(half, 0, 0), 0xFF0000u);
    EXPECT_EQ(half.Pixel(0, 0)[3], 100);
}

TEST(Resample, OutlineFollowsTheDesignScaledByIntegerDivision) {
    // A design with a stepped corner; a target at 110% (106 dpi) that averaging has blurred.
    constexpr int dpi = 106;
    TestImage design(10, 6, 3);
    design.Fill(0x808080);
    design.Set(0, 0, kFuchsia);
    design.Set(1, 0, kFuchsia);
    design.Set(0, 1, kFuchsia);
    for (int y = 0; y < 6; ++y)
        design.Set(9, y, kFuchsia);
    const int w = core::ScaleLength(10, dpi), h = core::ScaleLength(6, dpi);
    TestImage target(w, h, 3);
    target.Fill(0x707070);
    target.Set(w - 2, 1, kFuchsia); // a stray transparent pixel inside the face
    ApplyScaledOutline(target.MutableView(), design.View(), kFuchsia, dpi);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool cut = ColorOf(design, x * 96 / dpi, y * 96 / dpi) == kFuchsia;
            EXPECT_EQ(ColorOf(target, x, y) == kFuchsia, cut) << x << "," << y;
        }
    // The stray pixel must stay in the shape: it takes its design pixel's colour.
    EXPECT_EQ(ColorOf(target, w - 2, 1), 0x808080u);
    EXPECT_EQ(ColorOf(target, w / 2, h / 2), 0x707070u) << "the face keeps the averaged colours";
}

} // namespace
