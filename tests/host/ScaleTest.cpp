#include "core/Scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using core::ScaleLength;

namespace {

TEST(ScaleLength, GivesTheLauncherItsScaledSizes) {
    EXPECT_EQ(ScaleLength(444, 144), 666);
    EXPECT_EQ(ScaleLength(217, 144), 326); // 325.5: a half rounds up
    EXPECT_EQ(ScaleLength(444, 192), 888);
    EXPECT_EQ(ScaleLength(217, 192), 434);
    EXPECT_EQ(ScaleLength(1, 120), 1);
    EXPECT_EQ(ScaleLength(1, 144), 2);
    EXPECT_EQ(ScaleLength(9, 144), 14);
    EXPECT_EQ(ScaleLength(444, 96), 444);
}

// A font's height is a negative length: its halves round away from zero too, so Tahoma at
// 150% is 17 pixels high, not 16.
TEST(ScaleLength, RoundsNegativeHalvesAwayFromZero) {
    EXPECT_EQ(ScaleLength(-11, 144), -17);
    EXPECT_EQ(ScaleLength(-11, 120), -14);
    EXPECT_EQ(ScaleLength(-1, 144), -2);
    EXPECT_EQ(ScaleLength(-1, 120), -1);
    EXPECT_EQ(ScaleLength(0, 288), 0);
}

TEST(ScaleLength, EqualsTheNearestIntegerOfTheExactQuotientAtAnyDpi) {
    for (int dpi : {72, 96, 97, 110, 120, 144, 168, 192, 216, 240, 288, 480}) {
        for (int length = -3000; length <= 3000; ++length) {
            const long expected = std::lround(static_cast<double>(length) * dpi / 96.0);
            ASSERT_EQ(ScaleLength(length, dpi), expected) << length << " at " << dpi << " dpi";
        }
    }
}

TEST(ScaleLength, AResultBeyondThe32BitRangeGivesMinusOne) {
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(ScaleLength(kMax, 192), -1);
    EXPECT_EQ(ScaleLength(-kMax, 192), -1);
    EXPECT_EQ(ScaleLength(kMax, 96), kMax);
    EXPECT_EQ(ScaleLength(kMax / 2, 192), kMax - 1);
}

TEST(ScaledResourceName, KeepsThe100PercentNameAndAddsThePercentOtherwise) {
    EXPECT_EQ(core::ScaledResourceName("SKIN", 96), "SKIN");
    EXPECT_EQ(core::ScaledResourceName("SKIN", 144), "SKIN_150");
    EXPECT_EQ(core::ScaledResourceName("BUTTONHELP_HOVER", 120), "BUTTONHELP_HOVER_125");
    EXPECT_EQ(core::ScaledResourceName("ABOUTPICTURE", 288), "ABOUTPICTURE_300");
    for (int dpi : core::kStoredDpis) {
        EXPECT_EQ(core::ScalePercent(dpi) * 96, dpi * 100) << "every stored scale is a whole percent";
    }
}

} // namespace
