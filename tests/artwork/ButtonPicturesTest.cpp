#include "ArtworkFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace artwork {
namespace {

enum class Kind { Title, Large, Bottom };

struct Button {
    const char* name;
    int left, top, width, height;
    Kind kind;
};

const Button kButtons[] = {
    {"ButtonMin", 372, 7, 29, 19, Kind::Title},        {"ButtonClose2", 399, 7, 30, 19, Kind::Title},
    {"ButtonDataCDDVD", 20, 40, 99, 108, Kind::Large}, {"ButtonVCDDVDVideo", 121, 40, 99, 108, Kind::Large},
    {"ButtonAudioCD", 225, 40, 99, 108, Kind::Large},  {"ButtonMoreTools", 323, 40, 99, 108, Kind::Large},
    {"ButtonHelp", 54, 182, 82, 33, Kind::Bottom},     {"ButtonAbout", 136, 182, 79, 33, Kind::Bottom},
    {"ButtonHome", 215, 182, 78, 33, Kind::Bottom},
};

void PrintTo(const Button& b, std::ostream* os) {
    *os << b.name;
}

std::vector<std::string> StatesOf(const Button& b) {
    if (b.kind == Kind::Title) {
        return {"normal", "hover"};
    }
    return {"normal", "hover", "pressed"};
}

std::filesystem::path PictureFile(const Button& b, const std::string& state) {
    return ResourcesDir() / "buttons" / (std::string(b.name) + "." + state + ".bmp");
}

ArtworkFile Load(const std::filesystem::path& file) {
    std::string error;
    auto art = LoadArtwork(file, error);
    if (!art) {
        ADD_FAILURE() << error;
        return ArtworkFile{};
    }
    return *art;
}

class ButtonPictures : public ::testing::TestWithParam<Button> {
protected:
    static void SetUpTestSuite() { skin_ = new ArtworkFile(Load(ResourcesDir() / "skin.bmp")); }
    static void TearDownTestSuite() {
        delete skin_;
        skin_ = nullptr;
    }
    static ArtworkFile* skin_;
};

ArtworkFile* ButtonPictures::skin_ = nullptr;

TEST_P(ButtonPictures, EveryStateIsAnOpaque24BitPictureOfTheButtonSize) {
    const Button& b = GetParam();
    for (const std::string& state : StatesOf(b)) {
        const ArtworkFile art = Load(PictureFile(b, state));
        EXPECT_EQ(art.Width(), b.width) << state;
        EXPECT_EQ(art.Height(), b.height) << state;
        EXPECT_EQ(art.headerBitCount, 24) << state;
        EXPECT_EQ(art.headerCompression, 0u) << state;
    }
    if (b.kind == Kind::Title) {
        // Held down, the title buttons show their normal picture: a pressed file would never be used.
        EXPECT_FALSE(std::filesystem::exists(PictureFile(b, "pressed")));
    }
}

TEST_P(ButtonPictures, HoverDiffersFromNormal) {
    const Button& b = GetParam();
    const ArtworkFile normal = Load(PictureFile(b, "normal"));
    const ArtworkFile hover = Load(PictureFile(b, "hover"));
    ASSERT_EQ(normal.bitmap.pixels.size(), hover.bitmap.pixels.size());
    EXPECT_NE(normal.bitmap.pixels, hover.bitmap.pixels);
}

// Around their content, the large and bottom-row pictures repeat the skin behind them. The
// outermost two pixels are compared, except the sides of the bar segments that run on into the
// next segment (all but the rounded left end of Help).
class SkinBackedPictures : public ButtonPictures {};

TEST_P(SkinBackedPictures, SkinContinuesThroughTheBorder) {
    const Button& b = GetParam();
    ASSERT_EQ(skin_->Width(), 444);
    const bool leftOpen = b.kind == Kind::Bottom && std::string(b.name) != "ButtonHelp";
    const bool rightOpen = b.kind == Kind::Bottom;
    std::vector<std::string> states{"normal", "hover"};
    if (b.kind == Kind::Bottom) {
        states.push_back("pressed"); // the large pressed picture is moved; checked below
    }
    for (const std::string& state : states) {
        const ArtworkFile art = Load(PictureFile(b, state));
        ASSERT_EQ(art.Width(), b.width);
        int mismatches = 0;
        for (int y = 0; y < b.height; ++y) {
            for (int x = 0; x < b.width; ++x) {
                const bool topOrBottom = y < 2 || y >= b.height - 2;
                const bool left = x < 2 && !leftOpen;
                const bool right = x >= b.width - 2 && !rightOpen;
                if (!topOrBottom && !left && !right) {
                    continue;
                }
                const Rgb skin = skin_->At(b.left + x, b.top + y);
                if (Distance(art.At(x, y), skin) > 1 && ++mismatches <= 3) {
                    ADD_FAILURE() << b.name << "." << state << " differs from the skin at " << x << "," << y;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Launcher, ButtonPictures, ::testing::ValuesIn(kButtons),
                         [](const auto& info) { return std::string(info.param.name); });

// The title buttons bring their own background; all others stand on the skin.
INSTANTIATE_TEST_SUITE_P(Launcher, SkinBackedPictures, ::testing::ValuesIn(kButtons + 2, std::end(kButtons)),
                         [](const auto& info) { return std::string(info.param.name); });

class LargeButtonPictures : public ButtonPictures {};

// The pressed picture is the hover picture moved one pixel left and one down; its last nine rows
// stay. The vacated top row and right column repeat the nearest hover pixel.
TEST_P(LargeButtonPictures, PressedIsHoverMovedLeftAndDown) {
    const Button& b = GetParam();
    const ArtworkFile hover = Load(PictureFile(b, "hover"));
    const ArtworkFile pressed = Load(PictureFile(b, "pressed"));
    ASSERT_EQ(hover.Width(), 99);
    ASSERT_EQ(pressed.Width(), 99);
    ASSERT_EQ(pressed.Height(), 108);
    int mismatches = 0;
    for (int y = 0; y < 108; ++y) {
        for (int x = 0; x < 99; ++x) {
            const int sx = y >= 99 ? x : std::min(x + 1, 98);
            const int sy = y >= 99 ? y : std::max(y - 1, 0);
            if (pressed.At(x, y) != hover.At(sx, sy) && ++mismatches <= 3) {
                ADD_FAILURE() << b.name << " pressed at " << x << "," << y;
            }
        }
    }
}

// The rows that the pressed picture keeps in place hold only skin, so no content is cut in two.
TEST_P(LargeButtonPictures, FixedRowsHoldOnlySkin) {
    const Button& b = GetParam();
    for (const char* state : {"normal", "hover", "pressed"}) {
        const ArtworkFile art = Load(PictureFile(b, state));
        ASSERT_EQ(art.Height(), 108);
        for (int y = 99; y < 108; ++y) {
            for (int x = 0; x < 99; ++x) {
                ASSERT_LE(Distance(art.At(x, y), skin_->At(b.left + x, b.top + y)), 1)
                    << b.name << "." << state << " at " << x << "," << y;
            }
        }
    }
}

// A white caption on the panel, below the disc.
TEST_P(LargeButtonPictures, CaptionIsWhiteBelowTheDisc) {
    const Button& b = GetParam();
    const ArtworkFile art = Load(PictureFile(b, "normal"));
    ASSERT_EQ(art.Height(), 108);
    int white = 0;
    for (int y = 0; y < 108; ++y) {
        for (int x = 0; x < 99; ++x) {
            if (Distance(art.At(x, y), Rgb{255, 255, 255}) <= 8) {
                EXPECT_TRUE(y >= 11 && y <= 97) << b.name << " white at " << x << "," << y;
                white += y >= 86 && y <= 96;
            }
        }
    }
    EXPECT_GT(white, 40) << b.name;
}

INSTANTIATE_TEST_SUITE_P(Launcher, LargeButtonPictures,
                         ::testing::Values(kButtons[2], kButtons[3], kButtons[4], kButtons[5]),
                         [](const auto& info) { return std::string(info.param.name); });

class BottomButtonPictures : public ButtonPictures {};

bool HasColorInRow(const ArtworkFile& art, int y, Rgb color) {
    for (int x = 0; x < art.Width(); ++x) {
        if (Distance(art.At(x, y), color) <= 2) {
            return true;
        }
    }
    return false;
}

// Hover and pressed are told apart by the bar's upper rim; the divider closes every segment.
TEST_P(BottomButtonPictures, RimAndDividerFollowTheState) {
    const Button& b = GetParam();
    const ArtworkFile normal = Load(PictureFile(b, "normal"));
    const ArtworkFile hover = Load(PictureFile(b, "hover"));
    const ArtworkFile pressed = Load(PictureFile(b, "pressed"));
    ASSERT_EQ(normal.Height(), 33);
    auto anyRow = [](const ArtworkFile& art, Rgb color) {
        for (int y = 2; y < 10; ++y) {
            if (HasColorInRow(art, y, color)) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(anyRow(hover, Rgb{244, 194, 199}));
    EXPECT_FALSE(anyRow(normal, Rgb{244, 194, 199}));
    EXPECT_TRUE(anyRow(pressed, Rgb{101, 88, 91}));
    EXPECT_FALSE(anyRow(normal, Rgb{101, 88, 91}));
    EXPECT_EQ(normal.At(b.width - 1, b.height / 2), (Rgb{48, 48, 48}));
    // Hover lightens the face.
    const Rgb n = normal.At(b.width / 2, b.height - 6), h = hover.At(b.width / 2, b.height - 6);
    EXPECT_GE(h.g - n.g, 10);
}

INSTANTIATE_TEST_SUITE_P(Launcher, BottomButtonPictures,
                         ::testing::Values(kButtons[6], kButtons[7], kButtons[8]),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace artwork
