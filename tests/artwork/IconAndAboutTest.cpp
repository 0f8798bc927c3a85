#include "ArtworkFiles.h"
#include "PngFile.h"

#include "core/StoredPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <vector>

namespace artwork {
namespace {

std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Field(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) {
        v = v << 8 | bytes.at(at + static_cast<size_t>(i));
    }
    return v;
}

bool IsPurple(Rgb c) {
    return c.b > c.g + 60 && c.r > c.g + 20;
}
bool IsFlame(Rgb c) {
    return c.r > 200 && c.g > 50 && c.g < 230 && c.b < 120 && c.r > c.g + 25;
}
bool IsSilver(Rgb c) {
    return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 24 && c.g > 140 && c.g < 250;
}

// One image of the icon file, its XOR rows decoded top-down as blue, green, red, alpha.
struct IconImage {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::vector<std::array<uint8_t, 4>> pixels;
    std::vector<bool> maskSet; // the AND mask: set where readers without alpha see through

    const std::array<uint8_t, 4>& At(int x, int y) const {
        return pixels[static_cast<size_t>(y * width + x)];
    }
    Rgb ColourAt(int x, int y) const { return {At(x, y)[2], At(x, y)[1], At(x, y)[0]}; }
};

// Windows picks the image closest to the size it needs: 16 and 32 at 100%, 20 and 40 at 125%,
// 24 and 48 at 150%, 32 and 64 at 200%, 40 at 250%, 48 at 300%, 256 for the largest views.
constexpr int kIconSizes[] = {48, 32, 24, 16, 256, 64, 40, 20};
constexpr int kIconCount = static_cast<int>(std::size(kIconSizes));

class IconTest : public ::testing::Test {
protected:
    void SetUp() override {
        bytes_ = ReadBytes(ResourcesDir() / "orvalis.ico");
        ASSERT_GE(bytes_.size(), 6u + kIconCount * 16) << "missing or short orvalis.ico";
    }

    size_t EntryData(int index) const { return Field(bytes_, 6 + 16 * static_cast<size_t>(index) + 12, 4); }
    bool IsPng(int index) const {
        const size_t at = EntryData(index);
        return at + 8 <= bytes_.size() && bytes_[at] == 0x89 && bytes_[at + 1] == 'P';
    }

    IconImage Image(int index) const {
        const size_t entry = 6 + 16 * static_cast<size_t>(index);
        const size_t size = Field(bytes_, entry + 8, 4);
        const size_t at = Field(bytes_, entry + 12, 4);
        IconImage image;
        if (at + size > bytes_.size()) {
            return image;
        }
        if (IsPng(index)) {
            std::string error;
            auto png = DecodePng(std::span(bytes_).subspan(at, size), error);
            if (!png || png->colourType != 6) {
                ADD_FAILURE() << "icon image " << index << ": " << (png ? "no alpha" : error);
                return image;
            }
            image.width = png->bitmap.width;
            image.height = png->bitmap.height;
            image.bitCount = 32;
            for (size_t p = 0; p < png->bitmap.pixels.size(); p += 4) {
                const uint8_t* px = &png->bitmap.pixels[p];
                image.pixels.push_back({px[0], px[1], px[2], px[3]});
                image.maskSet.push_back(px[3] == 0); // a PNG image has no mask of its own
            }
            return image;
        }
        if (Field(bytes_, at, 4) != 40) {
            return image;
        }
        image.width = static_cast<int32_t>(Field(bytes_, at + 4, 4));
        image.height = static_cast<int32_t>(Field(bytes_, at + 8, 4)) / 2;
        image.bitCount = static_cast<int>(Field(bytes_, at + 14, 2));
        const size_t rows = at + 40;
        const size_t maskRow = static_cast<size_t>((image.width + 31) / 32 * 4);
        const size_t mask = rows + static_cast<size_t>(image.width * image.height * 4);
        if (image.bitCount != 32 || mask + maskRow * static_cast<size_t>(image.height) > at + size) {
            return image;
        }
        for (int y = 0; y < image.height; ++y) {
            const int fileRow = image.height - 1 - y; // bottom-up
            for (int x = 0; x < image.width; ++x) {
                const size_t p = rows + static_cast<size_t>((fileRow * image.width + x) * 4);
                image.pixels.push_back({bytes_[p], bytes_[p + 1], bytes_[p + 2], bytes_[p + 3]});
                const uint8_t bits =
                    bytes_[mask + static_cast<size_t>(fileRow) * maskRow + static_cast<size_t>(x / 8)];
                image.maskSet.push_back((bits & (0x80 >> (x % 8))) != 0);
            }
        }
        return image;
    }

    std::vector<uint8_t> bytes_;
};

TEST_F(IconTest, HoldsAnImageAt32BitsForEverySizeTheScalesAskFor) {
    EXPECT_EQ(Field(bytes_, 0, 2), 0u);
    EXPECT_EQ(Field(bytes_, 2, 2), 1u) << "resource type icon";
    ASSERT_EQ(Field(bytes_, 4, 2), static_cast<uint32_t>(kIconCount));
    for (int i = 0; i < kIconCount; ++i) {
        const int size = kIconSizes[i];
        SCOPED_TRACE(size);
        const size_t entry = 6 + 16 * static_cast<size_t>(i);
        EXPECT_EQ(bytes_[entry], size % 256) << "256 is written as 0";
        EXPECT_EQ(bytes_[entry + 1], size % 256);
        EXPECT_EQ(Field(bytes_, entry + 4, 2), 1u) << "planes";
        EXPECT_EQ(Field(bytes_, entry + 6, 2), 32u) << "bits per pixel";
        const size_t at = EntryData(i);
        ASSERT_LT(at + 20, bytes_.size());
        // The largest is stored compressed, as the format allows; the others as bitmaps.
        EXPECT_EQ(IsPng(i), size == 256);
        if (!IsPng(i)) {
            EXPECT_EQ(Field(bytes_, at + 16, 4), 0u) << "uncompressed";
        }
        const IconImage image = Image(i);
        EXPECT_EQ(image.width, size);
        EXPECT_EQ(image.height, size);
        EXPECT_EQ(image.bitCount, 32);
        EXPECT_EQ(image.pixels.size(), static_cast<size_t>(size * size)) << "rows or mask cut short";
    }
}

TEST_F(IconTest, EverySizeIsARoundMotifWithSoftEdgesAndAMatchingMask) {
    for (int i = 0; i < kIconCount; ++i) {
        const IconImage image = Image(i);
        ASSERT_FALSE(image.pixels.empty()) << "image " << i;
        SCOPED_TRACE(image.width);
        int opaque = 0;
        int partial = 0;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const uint8_t alpha = image.At(x, y)[3];
                opaque += alpha == 255;
                partial += alpha > 0 && alpha < 255;
                EXPECT_EQ(image.maskSet[static_cast<size_t>(y * image.width + x)], alpha == 0)
                    << x << "," << y;
            }
        }
        const int area = image.width * image.height;
        EXPECT_GT(opaque, area / 3);
        EXPECT_GT(partial, image.width) << "edges without anti-aliasing";
        // A disc leaves the top-left corner free.
        EXPECT_EQ(image.At(0, 0)[3], 0);
        EXPECT_EQ(image.At(1, 1)[3], 0);
    }
}

TEST_F(IconTest, EverySizeShowsDiscFlameAndSilverArmInTheirPlaces) {
    for (int i = 0; i < kIconCount; ++i) {
        const IconImage image = Image(i);
        ASSERT_FALSE(image.pixels.empty()) << "image " << i;
        SCOPED_TRACE(image.width);
        const int s = image.width;
        int purple = 0;
        int flameUpper = 0;
        int flameLower = 0;
        int silverLowerRight = 0;
        int silverElsewhere = 0;
        for (int y = 0; y < s; ++y) {
            for (int x = 0; x < s; ++x) {
                if (image.At(x, y)[3] != 255) {
                    continue;
                }
                const Rgb c = image.ColourAt(x, y);
                purple += IsPurple(c);
                if (IsFlame(c)) {
                    ++(y < s / 2 ? flameUpper : flameLower);
                }
                if (IsSilver(c)) {
                    ++(x >= s / 2 && y >= s / 2 ? silverLowerRight : silverElsewhere);
                }
            }
        }
        EXPECT_GT(purple, s * s / 8);
        EXPECT_GT(flameUpper, flameLower) << "the flame rises from the centre";
        EXPECT_GT(flameUpper, s * s / 30);
        EXPECT_GT(silverLowerRight, s / 2);
        EXPECT_GT(silverLowerRight, silverElsewhere);
    }
}

constexpr int kWidth = 175;
constexpr int kHeight = 215;
constexpr uint32_t kFileSize = 150554;

// An inclusive area of the 100% picture; a pixel of the picture at a scale lies in it when it
// starts inside the area's scaled extent.
struct Area {
    int x0, y0, x1, y1; // inclusive, at 100%
    bool Contains(int x, int y, int dpi) const {
        return x * 96 >= x0 * dpi && x * 96 < (x1 + 1) * dpi && y * 96 >= y0 * dpi && y * 96 < (y1 + 1) * dpi;
    }
};
constexpr Area kMotif{4, 7, 166, 169};
constexpr Area kName{28, 177, 151, 189};
constexpr Rgb kNameColour{68, 92, 97};

TEST(AboutPictureFile, HeaderHoldsExactlyTheFixedFields) {
    const std::vector<uint8_t> file_ = ReadBytes(ResourcesDir() / "about.bmp");
    ASSERT_GE(file_.size(), 54u) << "missing or short about.bmp";
    EXPECT_EQ(file_.size(), kFileSize);
    EXPECT_EQ(file_[0], 'B');
    EXPECT_EQ(file_[1], 'M');
    EXPECT_EQ(Field(file_, 2, 4), kFileSize);
    EXPECT_EQ(Field(file_, 6, 4), 0u);
    EXPECT_EQ(Field(file_, 10, 4), 54u);
    EXPECT_EQ(Field(file_, 14, 4), 40u);
    EXPECT_EQ(Field(file_, 18, 4), 175u);
    EXPECT_EQ(Field(file_, 22, 4), 215u) << "positive: bottom row first";
    EXPECT_EQ(Field(file_, 26, 2), 1u);
    EXPECT_EQ(Field(file_, 28, 2), 32u);
    EXPECT_EQ(Field(file_, 30, 4), 0u);
    EXPECT_EQ(Field(file_, 34, 4), 150500u);
    for (size_t at = 38; at < 54; at += 4) {
        EXPECT_EQ(Field(file_, at, 4), 0u) << "offset " << at;
    }
}

// The About picture at one scale: the 100% bitmap file, or the PNG that holds the same rows
// above it.
class AboutPicture : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        std::string error;
        auto art = LoadArtwork(ResourcesDir() / PictureAt("about.bmp", Dpi()), error);
        ASSERT_TRUE(art) << error;
        if (Dpi() != 96) {
            ASSERT_EQ(art->pngColourType, 6) << "RGBA: the alpha must survive";
        }
        picture_ = std::move(art->bitmap);
        ASSERT_EQ(picture_.width, Px(kWidth));
        ASSERT_EQ(picture_.height, Px(kHeight));
        ASSERT_EQ(picture_.bitsPerPixel, 32);
    }

    int Dpi() const { return GetParam(); }
    int Px(int length) const { return core::ScaleLength(length, Dpi()); }
    // A count that grows with the picture's area.
    int Area(int count100) const { return count100 * Dpi() / 96 * Dpi() / 96; }
    int Width() const { return picture_.width; }
    int Height() const { return picture_.height; }
    uint8_t Alpha(int x, int y) const { return core::PixelAt(picture_.View(), x, y)[3]; }
    Rgb Colour(int x, int y) const {
        const uint8_t* p = core::PixelAt(picture_.View(), x, y);
        return {p[2], p[1], p[0]};
    }

    core::DecodedBitmap picture_;
};

TEST_P(AboutPicture, UsesEveryAlphaLevelWithTransparentOuterColumns) {
    std::array<int, 256> levels{};
    const int outer = Px(2);
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            ++levels[Alpha(x, y)];
            if (x < outer || x >= Width() - outer) {
                EXPECT_EQ(Alpha(x, y), 0) << x << "," << y;
            }
        }
    }
    for (int a = 0; a < 256; ++a) {
        EXPECT_GT(levels[static_cast<size_t>(a)], 0) << "alpha " << a << " never occurs";
    }
    // A ground of transparent pixels and a solid body, not a faint wash.
    EXPECT_GT(levels[0], Width() * Height() / 4);
    EXPECT_GT(levels[255], Width() * Height() / 4);
}

TEST_P(AboutPicture, NothingShowsOutsideTheMotifAndTheName) {
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            if (!kMotif.Contains(x, y, Dpi()) && !kName.Contains(x, y, Dpi())) {
                ASSERT_EQ(Alpha(x, y), 0) << x << "," << y;
            }
        }
    }
}

// Straight alpha keeps a soft edge at full colour strength; a premultiplied or pre-blended
// writer would darken or whiten the lettering's edges.
TEST_P(AboutPicture, NameIsSolidSlateGreyWithItsEdgesInAlphaOnly) {
    int solid = 0;
    int soft = 0;
    int left = Width();
    int right = 0;
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            const uint8_t a = Alpha(x, y);
            if (a == 0 || !kName.Contains(x, y, Dpi())) {
                continue;
            }
            EXPECT_EQ(Colour(x, y), kNameColour) << x << "," << y << " alpha " << int{a};
            ++(a == 255 ? solid : soft);
            if (a == 255) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GT(solid, Area(60));
    EXPECT_GT(soft, 20);
    // It spans most of its box, under the disc.
    EXPECT_GT(right - left, Px(kName.x1 - kName.x0) * 3 / 4);
}

TEST_P(AboutPicture, MotifHasDiscFlameAndArmWithAClearHub) {
    int purple = 0;
    int flameAboveCentre = 0;
    int silverLowerRight = 0;
    int partialInDisc = 0;
    const int dpi = Dpi();
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            if (!kMotif.Contains(x, y, dpi)) {
                continue;
            }
            const uint8_t a = Alpha(x, y);
            const Rgb c = Colour(x, y);
            // Design coordinates of the pixel.
            const int dx = x * 96 / dpi, dy = y * 96 / dpi;
            purple += a == 255 && IsPurple(c);
            flameAboveCentre += a == 255 && IsFlame(c) && dy < 88;
            silverLowerRight += a == 255 && IsSilver(c) && dx > 120 && dy > 120;
            partialInDisc += a > 0 && a < 255 && dx > 30 && dx < 140 && dy > 40 && dy < 140;
        }
    }
    EXPECT_GT(purple, Area(5000));
    EXPECT_GT(flameAboveCentre, Area(1500));
    EXPECT_GT(silverLowerRight, Area(150));
    EXPECT_GT(partialInDisc, Area(300)) << "the clear hub shows what lies behind it";
}

TEST_P(AboutPicture, TransparentPixelsAreMostlyWhiteSoThatAWrongBlendShows) {
    int transparent = 0;
    int white = 0;
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            if (Alpha(x, y) == 0) {
                ++transparent;
                white += Colour(x, y) == Rgb{255, 255, 255};
            }
        }
    }
    EXPECT_GT(white, transparent * 9 / 10);
    EXPECT_LT(white, transparent) << "some transparent pixels hold a colour of their own";
}

INSTANTIATE_TEST_SUITE_P(Scales, AboutPicture, ::testing::ValuesIn(core::kStoredDpis),
                         [](const auto& info) { return PercentName(info.param); });

TEST(AboutStoredPictureTest, IsTheTypeNameAndLengthFollowedByTheBitmapFileUnchanged) {
    const std::vector<uint8_t> stored = ReadBytes(ResourcesDir() / "about.picture");
    const std::vector<uint8_t> file = ReadBytes(ResourcesDir() / "about.bmp");
    ASSERT_EQ(stored.size(), 150570u);
    ASSERT_EQ(file.size(), kFileSize);
    EXPECT_EQ(stored[0], 11);
    EXPECT_EQ(std::string(stored.begin() + 1, stored.begin() + 12), "TPNGGraphic");
    EXPECT_EQ(Field(stored, 12, 4), kFileSize);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), stored.begin() + 16));

    const auto split = core::SplitStoredPicture(stored);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->typeName, "TPNGGraphic");
    auto read = core::ReadStoredBitmapData(split->data);
    ASSERT_TRUE(std::holds_alternative<core::DecodedBitmap>(read));
    const auto& bitmap = std::get<core::DecodedBitmap>(read);
    EXPECT_EQ(bitmap.width, kWidth);
    EXPECT_EQ(bitmap.height, kHeight);
    EXPECT_EQ(bitmap.bitsPerPixel, 32) << "the alpha byte must reach the blend";
}

} // namespace
} // namespace artwork
