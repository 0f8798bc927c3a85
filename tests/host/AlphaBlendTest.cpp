#include "core/AlphaBlend.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>

using core::BlendBitmap32;
using core::BlendPath;
using testing_support::TestImage;

namespace {

// One grey level per channel over one grey level: the blend of a single channel value.
int BlendGrey(int picture, int target, int alpha, int targetBytesPerPixel = 3) {
    TestImage over(1, 1, 4);
    over.Set(0, 0, static_cast<uint32_t>(picture * 0x010101), static_cast<uint8_t>(alpha));
    TestImage under(1, 1, targetBytesPerPixel);
    under.Set(0, 0, static_cast<uint32_t>(target * 0x010101));
    BlendBitmap32(under.MutableView(), over.View());
    const uint8_t* p = under.Pixel(0, 0);
    EXPECT_EQ(p[0], p[1]);
    EXPECT_EQ(p[1], p[2]);
    return p[0];
}

TEST(AlphaBlend, EdgeValuesOfTheDivideBy256Formula) {
    EXPECT_EQ(BlendGrey(200, 37, 0), 37); // alpha 0 keeps the target whatever the picture holds
    EXPECT_EQ(BlendGrey(255, 0, 255), 254);
    EXPECT_EQ(BlendGrey(255, 255, 255), 255);
    EXPECT_EQ(BlendGrey(0, 255, 255), 0);
    EXPECT_EQ(BlendGrey(255, 0, 128), 127);
    EXPECT_EQ(BlendGrey(100, 255, 128), 177);
    EXPECT_EQ(BlendGrey(255, 0, 1), 0);
    EXPECT_EQ(BlendGrey(0, 255, 1), 254);
}

TEST(AlphaBlend, ChannelsStayApartAndTargetAlphaIsKept) {
    TestImage over(1, 1, 4);
    over.Set(0, 0, 0x0080FF, 128); // red 255, green 128, blue 0
    TestImage under(1, 1, 4);
    under.Set(0, 0, 0xFF0000, 0x33); // blue 255
    BlendBitmap32(under.MutableView(), over.View());
    const uint8_t* p = under.Pixel(0, 0);
    EXPECT_EQ(p[0], (0 * 128 + 255 * 128) / 256); // blue
    EXPECT_EQ(p[1], (128 * 128 + 0 * 128) / 256); // green
    EXPECT_EQ(p[2], (255 * 128 + 0 * 128) / 256); // red
    EXPECT_EQ(p[3], 0x33);
}

// Every path the processor can run must give the formula's integers exactly.
class BlendPaths : public testing::TestWithParam<BlendPath> {
protected:
    void SetUp() override {
        if (!core::BlendPathAvailable(GetParam()))
            GTEST_SKIP() << "this processor cannot run the path";
    }
};

INSTANTIATE_TEST_SUITE_P(AlphaBlend, BlendPaths,
                         testing::Values(BlendPath::Scalar, BlendPath::Ssse3, BlendPath::Avx2),
                         [](const testing::TestParamInfo<BlendPath>& info) {
                             return info.param == BlendPath::Scalar  ? std::string("Scalar")
                                    : info.param == BlendPath::Ssse3 ? std::string("Ssse3")
                                                                     : std::string("Avx2");
                         });

TEST_P(BlendPaths, EveryPictureTargetAndAlphaCombination) {
    // Channel values are spread over a 256 x 256 grid so that each channel meets every (P, D) pair.
    TestImage over(256, 256, 4);
    TestImage under(256, 256, 3);
    for (int alpha = 0; alpha < 256; ++alpha) {
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                uint8_t* p = over.Pixel(x, y);
                p[0] = static_cast<uint8_t>(x);
                p[1] = static_cast<uint8_t>(y);
                p[2] = static_cast<uint8_t>(255 - x);
                p[3] = static_cast<uint8_t>(alpha);
                uint8_t* d = under.Pixel(x, y);
                d[0] = static_cast<uint8_t>(y);
                d[1] = static_cast<uint8_t>(x);
                d[2] = static_cast<uint8_t>(255 - y);
            }
        }
        BlendBitmap32(under.MutableView(), over.View(), GetParam());
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const uint8_t* p = over.Pixel(x, y);
                const uint8_t* d = under.Pixel(x, y);
                for (int c = 0; c < 3; ++c) {
                    const unsigned target = c == 0 ? y : c == 1 ? x : 255 - y;
                    const unsigned expected = (p[c] * unsigned(alpha) + target * (256u - alpha)) / 256u;
                    if (d[c] != expected) {
                        FAIL() << "P " << int(p[c]) << " D " << target << " alpha " << alpha << " gave "
                               << int(d[c]) << ", expected " << expected;
                    }
                }
            }
        }
    }
}

TEST(AlphaBlend, BlendsTheOverlapAndLeavesThePictureUnchanged) {
    TestImage over(3, 2, 4);
    over.Fill(0x000000, 255);
    const std::vector<uint8_t> before(over.View().bits, over.View().bits + over.View().stride * 2);
    TestImage under(5, 4, 3);
    under.Fill(0xFFFFFF);

    BlendBitmap32(under.MutableView(), over.View());

    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t expected = (x < 3 && y < 2) ? 0 : 255;
            EXPECT_EQ(under.Pixel(x, y)[1], expected) << x << "," << y;
        }
    }
    EXPECT_TRUE(std::equal(before.begin(), before.end(), over.View().bits));
}

TEST(AlphaBlend, IgnoresPicturesThatAreNot32Bit) {
    TestImage over(2, 2, 3);
    over.Fill(0x000000);
    TestImage under(2, 2, 3);
    under.Fill(0xFFFFFF);
    BlendBitmap32(under.MutableView(), over.View());
    EXPECT_EQ(under.Pixel(1, 1)[0], 255);
}

} // namespace

TEST_P(BlendPaths, EveryRowWidthMatchesTheFormulaAndLeavesTheRowPaddingAlone) {
    // Widths around the four- and eight-pixel steps of the fast paths and their tails.
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<uint8_t>(seed >> 24);
    };
    for (int width = 1; width <= 40; ++width) {
        const int height = 3;
        const ptrdiff_t stride = 3 * width + 5; // padding that must not change
        std::vector<uint8_t> target(static_cast<size_t>(stride) * height), picture(4u * width * height);
        for (auto& b : target)
            b = next();
        for (auto& b : picture)
            b = next();
        const std::vector<uint8_t> before = target;
        BlendBitmap32({target.data(), width, height, stride, 3},
                      {picture.data(), width, height, 4 * width, 4}, GetParam());
        for (int y = 0; y < height; ++y) {
            for (ptrdiff_t i = 0; i < stride; ++i) {
                const size_t at = static_cast<size_t>(y * stride + i);
                if (i >= 3 * width) {
                    ASSERT_EQ(target[at], before[at]) << "padding changed, width " << width;
                    continue;
                }
                const uint8_t* p = &picture[static_cast<size_t>(4 * (y * width + i / 3))];
                const unsigned expected = (p[i % 3] * unsigned(p[3]) + before[at] * (256u - p[3])) / 256u;
                ASSERT_EQ(target[at], expected) << "width " << width << " byte " << i << " row " << y;
            }
        }
    }
}
