#include "ArtworkFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace artwork {
namespace {

constexpr Rgb kFuchsia{255, 0, 255};

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        skin_ = LoadArtwork(ResourcesDir() / "skin.bmp", error);
        ASSERT_TRUE(skin_) << error;
    }
    std::optional<ArtworkFile> skin_;
};

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

TEST_F(SkinTest, IsAnUncompressed24BitBitmapOfTheWindowSize) {
    EXPECT_EQ(skin_->Width(), 444);
    EXPECT_EQ(skin_->Height(), 217);
    EXPECT_EQ(skin_->headerBitCount, 24);
    EXPECT_EQ(skin_->headerCompression, 0u);
}

TEST_F(SkinTest, FuchsiaMarksExactlyTheCutAwayPixels) {
    const auto expected = ExpectedKeyPixels();
    ASSERT_EQ(expected.size(), 257u);
    std::set<std::pair<int, int>> found;
    for (int y = 0; y < skin_->Height(); ++y) {
        for (int x = 0; x < skin_->Width(); ++x) {
            if (skin_->At(x, y) == kFuchsia) {
                found.insert({x, y});
            }
        }
    }
    EXPECT_EQ(found, expected);
}

// Anti-aliasing towards the key colour would leave a pink fringe that the region cut keeps.
TEST_F(SkinTest, NoOtherPixelIsNearFuchsia) {
    int near = 0;
    for (int y = 0; y < skin_->Height(); ++y) {
        for (int x = 0; x < skin_->Width(); ++x) {
            const Rgb c = skin_->At(x, y);
            if (c != kFuchsia && c.r > 200 && c.g < 60 && c.b > 200) {
                ADD_FAILURE() << "near-fuchsia pixel at " << x << "," << y;
                if (++near > 5) {
                    return;
                }
            }
        }
    }
}

// Whole face rows: every row from 4 to 212 is opaque from x = 0 to 442.
TEST_F(SkinTest, FaceIsWholeBetweenTheCornerSteps) {
    for (int y = 4; y <= 212; ++y) {
        for (int x = 0; x <= 442; ++x) {
            ASSERT_NE(skin_->At(x, y), kFuchsia) << x << "," << y;
        }
    }
}

// The product name is red lettering inside its box, and the title strip holds no red elsewhere.
TEST_F(SkinTest, ProductNameIsRedAndStaysInItsBox) {
    constexpr Rgb kRed{223, 3, 26};
    int inside = 0;
    for (int y = 1; y <= 31; ++y) {
        for (int x = 4; x <= 360; ++x) {
            const Rgb c = skin_->At(x, y);
            const bool reddish = c.r - c.g > 60;
            const bool inBox = x >= 156 && x <= 288 && y >= 12 && y <= 26;
            if (reddish && !inBox) {
                ADD_FAILURE() << "red outside the name box at " << x << "," << y;
                return;
            }
            if (inBox && Distance(c, kRed) <= 16) {
                ++inside;
            }
        }
    }
    EXPECT_GT(inside, 150);
}

} // namespace
} // namespace artwork
