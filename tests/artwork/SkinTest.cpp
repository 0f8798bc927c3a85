#include "ArtworkFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace artwork {
namespace {

using core::ScaleLength;

constexpr Rgb kFuchsia{255, 0, 255};

ArtworkFile LoadSkin(int dpi) {
    std::string error;
    auto skin = LoadArtwork(ResourcesDir() / PictureAt("skin.bmp", dpi), error);
    if (!skin) {
        ADD_FAILURE() << error;
        return {};
    }
    return *skin;
}

// The cut-away pixels: the last column and four one-pixel steps at each corner of the
// 443-pixel-wide face, written out as the window's outline needs them.
std::set<std::pair<int, int>> ExpectedKeyPixels() {
    std::set<std::pair<int, int>> keys;
    for (int y = 0; y < 217; ++y) {
        keys.insert({443, y});
    }
    const int leftEnd[4] = {3, 2, 1, 0};            // rows 0..3: x = 0..leftEnd
    const int rightStart[4] = {439, 440, 441, 442}; // rows 0..3: x = rightStart..442
    for (int row = 0; row < 4; ++row) {
        for (int y : {row, 216 - row}) {
            for (int x = 0; x <= leftEnd[row]; ++x) {
                keys.insert({x, y});
            }
            for (int x = rightStart[row]; x <= 442; ++x) {
                keys.insert({x, y});
            }
        }
    }
    return keys;
}

TEST(Skin, FuchsiaMarksExactlyTheCutAwayPixelsAt100Percent) {
    const ArtworkFile skin = LoadSkin(96);
    ASSERT_EQ(skin.Width(), 444);
    const auto expected = ExpectedKeyPixels();
    ASSERT_EQ(expected.size(), 257u);
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < skin.Height(); ++y) {
        for (int x = 0; x < skin.Width(); ++x) {
            if (skin.At(x, y) == kFuchsia) {
                found.insert({x, y});
            }
        }
    }
    EXPECT_EQ(found, expected);
}

class SkinAtEveryScale : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        skin_ = LoadSkin(GetParam());
        ASSERT_EQ(skin_.Width(), ScaleLength(444, GetParam()));
        ASSERT_EQ(skin_.Height(), ScaleLength(217, GetParam()));
    }
    ArtworkFile skin_;
};

// The window takes its client size from the skin, and the 100% skin is the bitmap resource
// that the program loads as it always has.
TEST_P(SkinAtEveryScale, IsAnOpaquePictureOfTheScaledWindowSize) {
    if (GetParam() == 96) {
        EXPECT_FALSE(skin_.png);
        EXPECT_EQ(skin_.headerBitCount, 24);
        EXPECT_EQ(skin_.headerCompression, 0u);
    } else {
        EXPECT_TRUE(skin_.png);
        EXPECT_EQ(skin_.pngColourType, 2) << "RGB, no alpha";
    }
}

// The window's outline at any scale is its 100% outline scaled: a pixel is cut away exactly
// when the 100% pixel it shows is.
TEST_P(SkinAtEveryScale, FuchsiaFollowsThe100PercentOutlineScaled) {
    const int dpi = GetParam();
    const ArtworkFile base = LoadSkin(96);
    ASSERT_EQ(base.Width(), 444);
    int wrong = 0;
    for (int y = 0; y < skin_.Height(); ++y) {
        for (int x = 0; x < skin_.Width(); ++x) {
            const bool cut = base.At(x * 96 / dpi, y * 96 / dpi) == kFuchsia;
            if ((skin_.At(x, y) == kFuchsia) != cut && ++wrong <= 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << (cut ? " is not cut away" : " is cut away");
            }
        }
    }
}

// Anti-aliasing towards the key colour would leave a pink fringe that the region cut keeps.
TEST_P(SkinAtEveryScale, NoOtherPixelIsNearFuchsia) {
    int near = 0;
    for (int y = 0; y < skin_.Height(); ++y) {
        for (int x = 0; x < skin_.Width(); ++x) {
            const Rgb c = skin_.At(x, y);
            if (c != kFuchsia && c.r > 200 && c.g < 60 && c.b > 200) {
                ADD_FAILURE() << "near-fuchsia pixel at " << x << "," << y;
                if (++near > 5) {
                    return;
                }
            }
        }
    }
}

// Whole face rows between the corner steps, up to the last face column.
TEST_P(SkinAtEveryScale, FaceIsWholeBetweenTheCornerSteps) {
    const int dpi = GetParam();
    for (int y = 0; y < skin_.Height(); ++y) {
        if (y * 96 / dpi < 4 || y * 96 / dpi > 212) {
            continue;
        }
        for (int x = 0; x * 96 / dpi <= 442; ++x) {
            ASSERT_NE(skin_.At(x, y), kFuchsia) << x << "," << y;
        }
    }
}

// The product name is red lettering inside its box, and the title strip holds no red elsewhere.
TEST_P(SkinAtEveryScale, ProductNameIsRedAndStaysInItsBox) {
    const int dpi = GetParam();
    constexpr Rgb kRed{223, 3, 26};
    auto in = [dpi](int p, int first, int last) { return p * 96 / dpi >= first && p * 96 / dpi <= last; };
    int inside = 0;
    for (int y = 0; in(y, 0, 31); ++y) {
        for (int x = 0; in(x, 0, 360); ++x) {
            if (!in(y, 1, 31) || !in(x, 4, 360)) {
                continue;
            }
            const Rgb c = skin_.At(x, y);
            const bool reddish = c.r - c.g > 60;
            const bool inBox = in(x, 156, 288) && in(y, 12, 26);
            if (reddish && !inBox) {
                ADD_FAILURE() << "red outside the name box at " << x << "," << y;
                return;
            }
            if (inBox && Distance(c, kRed) <= 16) {
                ++inside;
            }
        }
    }
    EXPECT_GT(inside, 150 * dpi * dpi / (96 * 96));
}

INSTANTIATE_TEST_SUITE_P(Scales, SkinAtEveryScale, ::testing::ValuesIn(core::kStoredDpis),
                         [](const auto& info) { return PercentName(info.param); });

} // namespace
} // namespace artwork
