#include "ArtworkFiles.h"

#include "ui/LauncherLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace artwork {
namespace {

using core::ScaleLength;
using ui::layout::ButtonKind;
using ui::layout::ButtonLayout;
using ui::layout::PictureState;

std::string StateName(PictureState s) {
    return ui::layout::FileSuffix(s);
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

// Read once per scale for all buttons: every picture that stands on the skin is checked against it.
const ArtworkFile& SkinAt(int dpi) {
    static std::map<int, ArtworkFile> skins;
    auto found = skins.find(dpi);
    if (found == skins.end()) {
        found = skins.emplace(dpi, Load(ResourcesDir() / PictureAt(ui::layout::kSkin.file, dpi))).first;
    }
    return found->second;
}

// One button at one scale; its bounds as the launcher places it there.
class ButtonPictures : public ::testing::TestWithParam<std::tuple<ButtonLayout, int>> {
protected:
    const ButtonLayout& Button() const { return std::get<0>(GetParam()); }
    int Dpi() const { return std::get<1>(GetParam()); }
    int Px(int length) const { return ScaleLength(length, Dpi()); }
    // The design pixel that pixel p shows.
    int Design(int p) const { return p * 96 / Dpi(); }
    int Left() const { return Px(Button().bounds.left); }
    int Top() const { return Px(Button().bounds.top); }
    int Width() const { return Px(Button().bounds.width); }
    int Height() const { return Px(Button().bounds.height); }
    std::filesystem::path File(PictureState state) const {
        return ResourcesDir() / PictureAt(Button().PictureFile(state), Dpi());
    }
    ArtworkFile Picture(PictureState state) const { return Load(File(state)); }
    const ArtworkFile& Skin() const { return SkinAt(Dpi()); }
};

// The launcher sizes each button to its pictures: a picture of another size would move the
// button's edge off the place the layout gives it at that scale.
TEST_P(ButtonPictures, EveryStateIsAnOpaquePictureThatFitsTheButtonsPlace) {
    for (PictureState state : ui::layout::kPictureStates) {
        if (!Button().HasPicture(state)) {
            // Held down, the title buttons show their normal picture: a pressed file would never be used.
            EXPECT_FALSE(std::filesystem::exists(File(state))) << StateName(state);
            continue;
        }
        const ArtworkFile art = Picture(state);
        EXPECT_EQ(art.Width(), Width()) << StateName(state);
        EXPECT_EQ(art.Height(), Height()) << StateName(state);
        if (Dpi() == 96) {
            EXPECT_EQ(art.headerBitCount, 24) << StateName(state);
            EXPECT_EQ(art.headerCompression, 0u) << StateName(state);
        } else {
            EXPECT_EQ(art.pngColourType, 2) << StateName(state) << ": RGB, no alpha";
        }
    }
}

TEST_P(ButtonPictures, HoverDiffersFromNormal) {
    const ArtworkFile normal = Picture(PictureState::Normal);
    const ArtworkFile hover = Picture(PictureState::Hover);
    ASSERT_EQ(normal.bitmap.pixels.size(), hover.bitmap.pixels.size());
    EXPECT_NE(normal.bitmap.pixels, hover.bitmap.pixels);
}

// Around their content, the large and bottom-row pictures repeat the skin behind them. The
// outermost two design pixels are compared, except the sides of the bar segments that run on
// into the next segment (all but the rounded left end of Help).
class SkinBackedPictures : public ButtonPictures {};

TEST_P(SkinBackedPictures, SkinContinuesThroughTheBorder) {
    const ButtonLayout& b = Button();
    ASSERT_EQ(Skin().Width(), Px(ui::layout::kSkin.bounds.width));
    const bool leftOpen = b.kind == ButtonKind::Bottom && std::string(b.name) != "ButtonHelp";
    const bool rightOpen = b.kind == ButtonKind::Bottom;
    std::vector<PictureState> states{PictureState::Normal, PictureState::Hover};
    if (b.kind == ButtonKind::Bottom) {
        states.push_back(PictureState::Pressed); // the large pressed picture is moved; checked below
    }
    // The pixels that lie wholly within the outer two design pixels.
    const int border = 2 * Dpi() / 96;
    for (PictureState state : states) {
        const ArtworkFile art = Picture(state);
        ASSERT_EQ(art.Width(), Width());
        int mismatches = 0;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                const bool topOrBottom = y < border || y >= Height() - border;
                const bool left = x < border && !leftOpen;
                const bool right = x >= Width() - border && !rightOpen;
                if (!topOrBottom && !left && !right) {
                    continue;
                }
                const Rgb skin = Skin().At(Left() + x, Top() + y);
                if (Distance(art.At(x, y), skin) > 1 && ++mismatches <= 3) {
                    ADD_FAILURE() << b.name << "." << StateName(state) << " differs from the skin at " << x
                                  << "," << y;
                }
            }
        }
    }
}

std::string NameOf(const ::testing::TestParamInfo<std::tuple<ButtonLayout, int>>& info) {
    return std::string(std::get<0>(info.param).name) + "_" + PercentName(std::get<1>(info.param));
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

auto AtEveryScale(std::vector<ButtonLayout> buttons) {
    return ::testing::Combine(::testing::ValuesIn(buttons), ::testing::ValuesIn(core::kStoredDpis));
}

INSTANTIATE_TEST_SUITE_P(Launcher, ButtonPictures,
                         AtEveryScale(ButtonsOf({ButtonKind::Title, ButtonKind::Large, ButtonKind::Bottom})),
                         NameOf);

// The title buttons bring their own background; all others stand on the skin.
INSTANTIATE_TEST_SUITE_P(Launcher, SkinBackedPictures,
                         AtEveryScale(ButtonsOf({ButtonKind::Large, ButtonKind::Bottom})), NameOf);

class LargeButtonPictures : public ButtonPictures {};

// The pressed picture is the hover picture moved Px(1) pixels left and down; its last Px(9)
// rows stay. The vacated top rows and right columns repeat the nearest hover pixel.
TEST_P(LargeButtonPictures, PressedIsHoverMovedLeftAndDown) {
    const ArtworkFile hover = Picture(PictureState::Hover);
    const ArtworkFile pressed = Picture(PictureState::Pressed);
    const int w = Width(), h = Height();
    ASSERT_EQ(hover.Width(), w);
    ASSERT_EQ(pressed.Width(), w);
    ASSERT_EQ(pressed.Height(), h);
    const int shift = Px(1);
    const int fixedFrom = h - Px(ui::layout::kPressedFixedRows);
    int mismatches = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int sx = y >= fixedFrom ? x : std::min(x + shift, w - 1);
            const int sy = y >= fixedFrom ? y : std::max(y - shift, 0);
            if (pressed.At(x, y) != hover.At(sx, sy) && ++mismatches <= 3) {
                ADD_FAILURE() << Button().name << " pressed at " << x << "," << y;
            }
        }
    }
}

// The rows that the pressed picture keeps in place hold only skin, so no content is cut in two.
TEST_P(LargeButtonPictures, FixedRowsHoldOnlySkin) {
    for (PictureState state : ui::layout::kPictureStates) {
        const ArtworkFile art = Picture(state);
        ASSERT_EQ(art.Height(), Height());
        for (int y = Height() - Px(ui::layout::kPressedFixedRows); y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                ASSERT_LE(Distance(art.At(x, y), Skin().At(Left() + x, Top() + y)), 1)
                    << Button().name << "." << StateName(state) << " at " << x << "," << y;
            }
        }
    }
}

// A white caption on the panel, below the disc.
TEST_P(LargeButtonPictures, CaptionIsWhiteBelowTheDisc) {
    const ArtworkFile art = Picture(PictureState::Normal);
    ASSERT_EQ(art.Height(), Height());
    int white = 0;
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            if (Distance(art.At(x, y), Rgb{255, 255, 255}) <= 8) {
                EXPECT_TRUE(Design(y) >= 11 && Design(y) <= 97)
                    << Button().name << " white at " << x << "," << y;
                white += Design(y) >= 86 && Design(y) <= 96;
            }
        }
    }
    EXPECT_GT(white, 40 * Dpi() * Dpi() / (96 * 96)) << Button().name;
}

INSTANTIATE_TEST_SUITE_P(Launcher, LargeButtonPictures, AtEveryScale(ButtonsOf({ButtonKind::Large})), NameOf);

class BottomButtonPictures : public ButtonPictures {};

// Hover and pressed are told apart by the bar's upper rim; the divider closes every segment.
TEST_P(BottomButtonPictures, RimAndDividerFollowTheState) {
    const ArtworkFile normal = Picture(PictureState::Normal);
    const ArtworkFile hover = Picture(PictureState::Hover);
    const ArtworkFile pressed = Picture(PictureState::Pressed);
    ASSERT_EQ(normal.Height(), Height());
    // On the rows of the rim and just below it, along the straight part of the bar.
    auto anyRow = [this](const ArtworkFile& art, Rgb color) {
        for (int y = 0; y < art.Height(); ++y) {
            if (Design(y) < 2 || Design(y) >= 10) {
                continue;
            }
            for (int x = 0; x < art.Width(); ++x) {
                if (Design(x) < 16 || Design(x) >= Button().bounds.width - 3) {
                    continue;
                }
                if (Distance(art.At(x, y), color) <= 2) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(anyRow(hover, Rgb{244, 194, 199}));
    EXPECT_FALSE(anyRow(normal, Rgb{244, 194, 199}));
    EXPECT_TRUE(anyRow(pressed, Rgb{101, 88, 91}));
    EXPECT_FALSE(anyRow(normal, Rgb{101, 88, 91}));
    const int w = Width(), h = Height();
    EXPECT_EQ(normal.At(w - 1, h / 2), (Rgb{48, 48, 48}));
    // Hover lightens the face, here on its lower half, above the lower rim.
    const int y = (24 * Dpi() + Dpi() / 2) / 96;
    const Rgb n = normal.At(w / 2, y), lit = hover.At(w / 2, y);
    EXPECT_GE(lit.g - n.g, 10);
}

INSTANTIATE_TEST_SUITE_P(Launcher, BottomButtonPictures, AtEveryScale(ButtonsOf({ButtonKind::Bottom})),
                         NameOf);

} // namespace
} // namespace artwork

namespace ui::layout {
// Failure messages show the button by its name.
void PrintTo(const ButtonLayout& b, std::ostream* os) {
    *os << b.name;
}
} // namespace ui::layout
