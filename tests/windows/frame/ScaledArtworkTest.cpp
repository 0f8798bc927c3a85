// The artwork above 100% as the program finds it in its own resources: every picture of
// every stored scale present, decoded by the system's imaging component to its scaled size,
// the skin's outline the 100% outline scaled, and the About picture's alpha intact.
#include "core/Scale.h"
#include "framework/Handles.h"
#include "framework/PngResource.h"
#include "ui/LauncherLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using core::ScaleLength;

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

fw::Bitmap LoadScaled(const std::string& name, int dpi) {
    fw::Bitmap bitmap;
    EXPECT_TRUE(fw::LoadPngResource(bitmap, ::GetModuleHandleW(nullptr),
                                    Wide(core::ScaledResourceName(name, dpi)).c_str()))
        << core::ScaledResourceName(name, dpi);
    return bitmap;
}

class ScaledArtwork : public ::testing::TestWithParam<int> {
protected:
    int Dpi() const { return GetParam(); }
    int Px(int length) const { return ScaleLength(length, Dpi()); }
};

TEST_P(ScaledArtwork, SkinIsTheScaledSizeAndCutAwayWhereThe100PercentSkinIs) {
    fw::Bitmap base;
    ASSERT_TRUE(base.LoadFromResource(::GetModuleHandleW(nullptr), L"SKIN"));
    const fw::Bitmap skin = LoadScaled(ui::layout::kSkin.resource, Dpi());
    ASSERT_EQ(skin.Width(), Px(ui::layout::kSkin.bounds.width));
    ASSERT_EQ(skin.Height(), Px(ui::layout::kSkin.bounds.height));
    EXPECT_EQ(skin.BitsPerPixel(), 24);
    int wrong = 0;
    for (int y = 0; y < skin.Height(); ++y)
        for (int x = 0; x < skin.Width(); ++x) {
            const bool cut = base.Pixel(x * 96 / Dpi(), y * 96 / Dpi()) == RGB(255, 0, 255);
            if ((skin.Pixel(x, y) == RGB(255, 0, 255)) != cut && ++wrong <= 3)
                ADD_FAILURE() << "pixel " << x << "," << y;
        }
}

TEST_P(ScaledArtwork, EveryButtonPictureIsTheButtonsScaledSize) {
    for (const ui::layout::ButtonLayout& b : ui::layout::kButtons)
        for (ui::layout::PictureState state : ui::layout::kPictureStates) {
            if (!b.HasPicture(state))
                continue;
            const fw::Bitmap picture = LoadScaled(b.PictureResource(state), Dpi());
            EXPECT_EQ(picture.Width(), Px(b.bounds.width)) << b.PictureResource(state);
            EXPECT_EQ(picture.Height(), Px(b.bounds.height)) << b.PictureResource(state);
            EXPECT_EQ(picture.BitsPerPixel(), 24) << b.PictureResource(state);
        }
}

// The blend needs every alpha level and the colour kept where alpha is 0: a decoder that
// premultiplied would turn those pixels black.
TEST_P(ScaledArtwork, AboutPictureKeepsEveryAlphaLevelAndItsColourUnderAlphaZero) {
    const fw::Bitmap picture = LoadScaled("ABOUTPICTURE", Dpi());
    ASSERT_EQ(picture.Width(), Px(175));
    ASSERT_EQ(picture.Height(), Px(215));
    ASSERT_EQ(picture.BitsPerPixel(), 32);
    std::array<int, 256> levels{};
    int whiteUnderZero = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const std::uint8_t* p = picture.Row(y) + x * 4;
            ++levels[p[3]];
            whiteUnderZero += p[3] == 0 && p[0] == 255 && p[1] == 255 && p[2] == 255;
        }
    for (int a = 0; a < 256; ++a)
        EXPECT_GT(levels[static_cast<size_t>(a)], 0) << "alpha " << a;
    EXPECT_GT(whiteUnderZero, levels[0] * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(AboveOneHundredPercent, ScaledArtwork,
                         ::testing::Values(120, 144, 168, 192, 240, 288),
                         [](const auto& info) { return std::to_string(core::ScalePercent(info.param)); });

TEST(ScaledArtwork, AMissingOrNonPictureResourceLeavesTheBitmapAlone) {
    fw::Bitmap bitmap(3, 2, 24);
    EXPECT_FALSE(fw::LoadPngResource(bitmap, ::GetModuleHandleW(nullptr), L"SKIN_110"));
    // The 100% About picture is RCDATA too, in its stored form: no PNG.
    EXPECT_FALSE(fw::LoadPngResource(bitmap, ::GetModuleHandleW(nullptr), L"ABOUTPICTURE"));
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
}

// The icon image that the system picks for each size the scales ask for is one of exactly
// that size, not a neighbour stretched; the 256-pixel one is a PNG.
TEST(ScaledArtwork, TheIconHasAnImageOfEverySizeTheScalesAskFor) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC group = ::FindResourceW(module, L"MAINICON", MAKEINTRESOURCEW(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(::LockResource(::LoadResource(module, group)));
    ASSERT_NE(directory, nullptr);
    for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        const int id = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image =
            id ? ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3)) : nullptr; // RT_ICON
        ASSERT_NE(image, nullptr) << size;
        const auto* bytes = static_cast<const BYTE*>(::LockResource(::LoadResource(module, image)));
        ASSERT_GE(::SizeofResource(module, image), 40u) << size;
        auto be32 = [bytes](int at) {
            return static_cast<int>(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
                                    bytes[at + 3]);
        };
        const bool png = bytes[0] == 0x89 && bytes[1] == 'P';
        EXPECT_EQ(png, size == 256) << size;
        const int width = png ? be32(16) : reinterpret_cast<const BITMAPINFOHEADER*>(bytes)->biWidth;
        EXPECT_EQ(width, size);
        fw::UniqueIcon icon(
            static_cast<HICON>(::LoadImageW(module, L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        EXPECT_TRUE(icon) << size;
    }
}

// The one scaling rule is the system's own.
TEST(ScaleLength, EqualsMulDivByTheSystem) {
    for (int dpi : {96, 110, 120, 144, 168, 192, 216, 240, 288})
        for (int length = -2000; length <= 2000; ++length)
            ASSERT_EQ(ScaleLength(length, dpi), ::MulDiv(length, dpi, 96)) << length << " at " << dpi;
}

} // namespace
