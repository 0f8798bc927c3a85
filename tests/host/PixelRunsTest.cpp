#include "core/PixelRuns.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <random>

using core::PixelRun;
using core::ScanOpaqueRuns;
using testing_support::TestImage;

namespace {

constexpr uint32_t kFuchsia = 0xFF00FF;
constexpr uint32_t kGrey = 0x808080;

// The rule as a window-shape routine states it: open/extend on opaque, close on transparent or on
// the last column. Written per pixel through ColorAt, unlike the scanner.
std::vector<PixelRun> ReferenceRuns(const core::ImageView& image, uint32_t transparent) {
    std::vector<PixelRun> runs;
    for (int y = 0; y < image.height; ++y) {
        bool open = false;
        int start = 0;
        int end = 0;
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = core::ColorAt(image, x, y);
            if (p == transparent || x == image.width - 1) {
                if (open) {
                    runs.push_back({start, end + 1, y});
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
    return runs;
}

class PixelRunsByDepth : public ::testing::TestWithParam<int> {};

TEST_P(PixelRunsByDepth, OpaqueRowEndsOneBeforeTheLastColumn) {
    TestImage image(6, 2, GetParam());
    image.Fill(kGrey);
    EXPECT_EQ(ScanOpaqueRuns(image.View(), kFuchsia), (std::vector<PixelRun>{{0, 5, 0}, {0, 5, 1}}));
}

TEST_P(PixelRunsByDepth, TransparentColumnSplitsEveryRow) {
    TestImage image(10, 3, GetParam());
    image.Fill(kGrey);
    for (int y = 0; y < 3; ++y) {
        image.Set(5, y, kFuchsia);
    }
    const auto runs = ScanOpaqueRuns(image.View(), kFuchsia);
    ASSERT_EQ(runs.size(), 6u);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(runs[2 * y], (PixelRun{0, 5, y}));
        EXPECT_EQ(runs[2 * y + 1], (PixelRun{6, 9, y}));
    }
}

TEST_P(PixelRunsByDepth, LonePixelsBetweenTransparentOnesAreSinglePixelRuns) {
    TestImage image(7, 1, GetParam());
    image.Fill(kFuchsia);
    image.Set(1, 0, kGrey);
    image.Set(3, 0, kGrey);
    image.Set(6, 0, kGrey); // the last column never counts
    EXPECT_EQ(ScanOpaqueRuns(image.View(), kFuchsia), (std::vector<PixelRun>{{1, 2, 0}, {3, 4, 0}}));
}

TEST_P(PixelRunsByDepth, ShapesWithoutAnyRun) {
    TestImage allTransparent(5, 4, GetParam());
    allTransparent.Fill(kFuchsia);
    EXPECT_TRUE(ScanOpaqueRuns(allTransparent.View(), kFuchsia).empty());

    TestImage onePixelWide(1, 8, GetParam());
    onePixelWide.Fill(kGrey);
    EXPECT_TRUE(ScanOpaqueRuns(onePixelWide.View(), kFuchsia).empty());

    TestImage zeroWidth(0, 8, GetParam());
    EXPECT_TRUE(ScanOpaqueRuns(zeroWidth.View(), kFuchsia).empty());
    TestImage zeroHeight(8, 0, GetParam());
    EXPECT_TRUE(ScanOpaqueRuns(zeroHeight.View(), kFuchsia).empty());
}

TEST_P(PixelRunsByDepth, MatchIsExactOnEveryChannelInColourOrder) {
    // Red in the low byte: 0x0000FF is a red pixel, and a blue pixel must not match it.
    TestImage image(5, 1, GetParam());
    image.Set(0, 0, 0x0000FF);
    image.Set(1, 0, 0xFF0000);
    image.Set(2, 0, 0xFF00FE); // one level off fuchsia
    image.Set(3, 0, 0x0000FF);
    image.Set(4, 0, 0x0000FF);
    EXPECT_EQ(ScanOpaqueRuns(image.View(), 0x0000FF), (std::vector<PixelRun>{{1, 3, 0}}));
}

TEST_P(PixelRunsByDepth, ColourWithTopByteMatchesNothing) {
    TestImage image(4, 2, GetParam());
    image.Fill(kFuchsia);
    EXPECT_EQ(ScanOpaqueRuns(image.View(), 0x01FF00FF), (std::vector<PixelRun>{{0, 3, 0}, {0, 3, 1}}));
    EXPECT_EQ(ScanOpaqueRuns(image.View(), 0xFF000000), (std::vector<PixelRun>{{0, 3, 0}, {0, 3, 1}}));
}

TEST_P(PixelRunsByDepth, AgreesWithThePixelByPixelRuleOnRandomImages) {
    std::mt19937 random(1234 + GetParam());
    const uint32_t colours[] = {kFuchsia, kGrey, 0x000000, 0xFF00FE};
    for (int round = 0; round < 300; ++round) {
        const int width = static_cast<int>(random() % 20);
        const int height = static_cast<int>(random() % 6);
        TestImage image(width, height, GetParam(), static_cast<int>(random() % 4));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.Set(x, y, colours[random() % 4], static_cast<uint8_t>(random()));
            }
        }
        ASSERT_EQ(ScanOpaqueRuns(image.View(), kFuchsia), ReferenceRuns(image.View(), kFuchsia))
            << width << " x " << height;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, PixelRunsByDepth, ::testing::Values(3, 4),
                         [](const auto& info) { return std::to_string(info.param * 8) + "bpp"; });

TEST(PixelRuns, AlphaByteDoesNotHideTransparentPixels) {
    TestImage image(4, 1, 4);
    image.Fill(kGrey);
    image.Set(1, 0, kFuchsia, 0x00);
    image.Set(2, 0, kFuchsia, 0x7F);
    EXPECT_EQ(ScanOpaqueRuns(image.View(), kFuchsia), (std::vector<PixelRun>{{0, 1, 0}}));
}

TEST(PixelRuns, LauncherSkinGivesOneRunPerRowWithSteppedCorners) {
    constexpr int kWidth = 444;
    constexpr int kHeight = 217;
    TestImage skin(kWidth, kHeight, 3, 0);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            skin.Set(x, y, static_cast<uint32_t>(x * 7 + y * 3) & 0x7F7F7F);
        }
        skin.Set(kWidth - 1, y, kFuchsia);
    }
    const int leftCut[] = {4, 3, 2, 1};
    const int rightCut[] = {5, 4, 3, 2};
    for (int step = 0; step < 4; ++step) {
        for (int row : {step, kHeight - 1 - step}) {
            for (int i = 0; i < leftCut[step]; ++i) {
                skin.Set(i, row, kFuchsia);
            }
            for (int i = 0; i < rightCut[step]; ++i) {
                skin.Set(kWidth - 1 - i, row, kFuchsia);
            }
        }
    }

    const auto runs = ScanOpaqueRuns(skin.View(), kFuchsia);
    ASSERT_EQ(runs.size(), 217u);
    for (int y = 0; y < kHeight; ++y) {
        const int step = std::min(y, kHeight - 1 - y);
        const PixelRun expected = step < 4 ? PixelRun{4 - step, 439 + step, y} : PixelRun{0, 443, y};
        EXPECT_EQ(runs[y], expected) << "row " << y;
    }
}

} // namespace
