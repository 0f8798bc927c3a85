#include "ArtworkFiles.h"

#include "ui/LauncherLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace ui::layout {
// Test names and failure messages show the button by its name.
void PrintTo(const ButtonLayout& b, std::ostream* os) {
    *os << b.name;
}
} // namespace ui::layout

namespace artwork {
namespace {

using ui::layout::ButtonKind;
using ui::layout::ButtonLayout;
using ui::layout::PictureState;

std::string StateName(PictureState s) {
    return ui::layout::FileSuffix(s);
}

std::filesystem::path PictureFile(const ButtonLayout& b, PictureState state) {
    return ResourcesDir() / b.PictureFile(state);
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

// Read once for all buttons: every picture that stands on the skin is checked against it.
const ArtworkFile& Skin() {
    static const ArtworkFile skin = Load(ResourcesDir() / ui::layout::kSkin.file);
    return skin;
}

class ButtonPictures : public ::testing::TestWithParam<ButtonLayout> {};

// The launcher sizes each button to its pictures: a picture of another size would move the
// button's edge off the place the layout gives it.
TEST_P(ButtonPictures, EveryStateIsAnOpaque24BitPictureThatFitsTheButtonsPlace) {
    const ButtonLayout& b = GetParam();
    for (PictureState state : ui::layout::kPictureStates) {
        if (!b.HasPicture(state)) {
            // Held down, the title buttons show their normal picture: a pressed file would never be used.
            EXPECT_FALSE(std::filesystem::exists(PictureFile(b, state))) << StateName(state);
            continue;
        }
        const ArtworkFile art = Load(PictureFile(b, state));
        EXPECT_EQ(art.Width(), b.bounds.width) << StateName(state);
        EXPECT_EQ(art.Height(), b.bounds.height) << StateName(state);
        EXPECT_EQ(art.headerBitCount, 24) << StateName(state);
        EXPECT_EQ(art.headerCompression, 0u) << StateName(state);
    }
}

TEST_P(ButtonPictures, HoverDiffersFromNormal) {
    const ButtonLayout& b = GetParam();
    const ArtworkFile normal = Load(PictureFile(b, PictureState::Normal));
    const ArtworkFile hover = Load(PictureFile(b, PictureState::Hover));
    ASSERT_EQ(normal.bitmap.pixels.size(), hover.bitmap.pixels.size());
    EXPECT_NE(normal.bitmap.pixels, hover.bitmap.pixels);
}

// Around their content, the large and bottom-row pictures repeat the skin behind them. The
// outermost two pixels are compared, except the sides of the bar segments that run on into the
// next segment (all but the rounded left end of Help).
class SkinBackedPictures : public ButtonPictures {};

TEST_P(SkinBackedPictures, SkinContinuesThroughTheBorder) {
    const ButtonLayout& b = GetParam();
    const ui::layout::Bounds& r = b.bounds;
    ASSERT_EQ(Skin().Width(), ui::layout::kSkin.bounds.width);
    const bool leftOpen = b.kind == ButtonKind::Bottom && std::string(b.name) != "ButtonHelp";
    const bool rightOpen = b.kind == ButtonKind::Bottom;
    std::vector<PictureState> states{PictureState::Normal, PictureState::Hover};
    if (b.kind == ButtonKind::Bottom) {
        states.push_back(PictureState::Pressed); // the large pressed picture is moved; checked below
    }
    for (PictureState state : states) {
        const ArtworkFile art = Load(PictureFile(b, state));
        ASSERT_EQ(art.Width(), r.width);
        int mismatches = 0;
        for (int y = 0; y < r.height; ++y) {
            for (int x = 0; x < r.width; ++x) {
                const bool topOrBottom = y < 2 || y >= r.height - 2;
                const bool left = x < 2 && !leftOpen;
                const bool right = x >= r.width - 2 && !rightOpen;
                if (!topOrBottom && !left && !right) {
                    continue;
                }
                const Rgb skin = Skin().At(r.left + x, r.top + y);
                if (Distance(art.At(x, y), skin) > 1 && ++mismatches <= 3) {
                    ADD_FAILURE() << b.name << "." << StateName(state) << " differs from the skin at " << x
                                  << "," << y;
                }
            }
        }
    }
}

std::string NameOf(const ::testing::TestParamInfo<ButtonLayout>& info) {
    return info.param.name;
}

std::vector<ButtonLayout> ButtonsOf(std::initializer_list<ButtonKind> kinds) {
    std::vector<ButtonLayout> found;
    for (const ButtonLayout& b : ui::layout::kButtons) {
        if (std::find(kinds.begin(), kinds.end(), b.kind) != kinds.end()) {
            found.push_back(b);
        }
    }
    return found;
}

INSTANTIATE_TEST_SUITE_P(Launcher, ButtonPictures, ::testing::ValuesIn(ui::layout::kButtons), NameOf);

// The title buttons bring their own background; all others stand on the skin.
INSTANTIATE_TEST_SUITE_P(Launcher, SkinBackedPictures,
                         ::testing::ValuesIn(ButtonsOf({ButtonKind::Large, ButtonKind::Bottom})), NameOf);

class LargeButtonPictures : public ButtonPictures {};

// The pressed picture is the hover picture moved one pixel left and one down; its last nine rows
// stay. The vacated top row and right column repeat the nearest hover pixel.
TEST_P(LargeButtonPictures, PressedIsHoverMovedLeftAndDown) {
    const ButtonLayout& b = GetParam();
    const ArtworkFile hover = Load(PictureFile(b, PictureState::Hover));
    const ArtworkFile pressed = Load(PictureFile(b, PictureState::Pressed));
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
    const ButtonLayout& b = GetParam();
    for (PictureState state : ui::layout::kPictureStates) {
        const ArtworkFile art = Load(PictureFile(b, state));
        ASSERT_EQ(art.Height(), 108);
        for (int y = 99; y < 108; ++y) {
            for (int x = 0; x < 99; ++x) {
                ASSERT_LE(Distance(art.At(x, y), Skin().At(b.bounds.left + x, b.bounds.top + y)), 1)
                    << b.name << "." << StateName(state) << " at " << x << "," << y;
            }
        }
    }
}

// A white caption on the panel, below the disc.
TEST_P(LargeButtonPictures, CaptionIsWhiteBelowTheDisc) {
    const ButtonLayout& b = GetParam();
    const ArtworkFile art = Load(PictureFile(b, PictureState::Normal));
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

INSTANTIATE_TEST_SUITE_P(Launcher, LargeButtonPictures, ::testing::ValuesIn(ButtonsOf({ButtonKind::Large})),
                         NameOf);

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
    const ButtonLayout& b = GetParam();
    const ArtworkFile normal = Load(PictureFile(b, PictureState::Normal));
    const ArtworkFile hover = Load(PictureFile(b, PictureState::Hover));
    const ArtworkFile pressed = Load(PictureFile(b, PictureState::Pressed));
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
    const int w = b.bounds.width, h = b.bounds.height;
    EXPECT_EQ(normal.At(w - 1, h / 2), (Rgb{48, 48, 48}));
    // Hover lightens the face.
    const Rgb n = normal.At(w / 2, h - 6), lit = hover.At(w / 2, h - 6);
    EXPECT_GE(lit.g - n.g, 10);
}

INSTANTIATE_TEST_SUITE_P(Launcher, BottomButtonPictures, ::testing::ValuesIn(ButtonsOf({ButtonKind::Bottom})),
                         NameOf);

} // namespace
} // namespace artwork
