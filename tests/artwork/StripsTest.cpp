#include "ArtworkFiles.h"

#include <gtest/gtest.h>

namespace artwork {
namespace {

struct Strip {
    const char* name;
    int width, height;
};

void PrintTo(const Strip& s, std::ostream* os) {
    *os << s.name;
}

class StyleStrips : public ::testing::TestWithParam<Strip> {};

// Three frames side by side; the button base cuts them at width div 3, the last one from the right.
TEST_P(StyleStrips, HoldThreeDistinctFramesOfTheStyleSize) {
    const Strip& s = GetParam();
    std::string error;
    const auto art = LoadArtwork(ResourcesDir() / "strips" / (std::string(s.name) + ".bmp"), error);
    ASSERT_TRUE(art) << error;
    EXPECT_EQ(art->Width(), s.width);
    EXPECT_EQ(art->Height(), s.height);
    EXPECT_EQ(art->headerBitCount, 24);
    ASSERT_EQ(art->Width(), s.width);
    ASSERT_EQ(art->Height(), s.height);
    const int w = s.width / 3;
    const int starts[3] = {0, w, s.width - w};
    auto sameFrame = [&](int a, int b) {
        for (int y = 0; y < s.height; ++y) {
            for (int x = 0; x < w; ++x) {
                if (art->At(starts[a] + x, y) != art->At(starts[b] + x, y)) {
                    return false;
                }
            }
        }
        return true;
    };
    EXPECT_FALSE(sameFrame(0, 1)) << "hover looks like normal";
    EXPECT_FALSE(sameFrame(0, 2)) << "pressed looks like normal";
    EXPECT_FALSE(sameFrame(1, 2)) << "pressed looks like hover";
}

INSTANTIATE_TEST_SUITE_P(Styles, StyleStrips,
                         ::testing::Values(Strip{"SILVER_BUTTON", 252, 23}, Strip{"CLASSIC_BUTTON", 54, 21},
                                           Strip{"NAVY_BUTTON", 222, 21}, Strip{"AMBER_BUTTON", 222, 21},
                                           Strip{"GLASS_BUTTON", 231, 27}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace artwork
