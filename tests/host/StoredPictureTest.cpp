#include "core/StoredPicture.h"

#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <set>

using core::BitmapError;
using core::BitmapReadError;
using core::ReadStoredBitmapData;
using core::SplitStoredPicture;
using testing_support::BitmapLayout;
using testing_support::MakeBitmapFile;
using testing_support::MakeStoredPicture;
using testing_support::PutU32;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Small32File() {
    BitmapLayout layout;
    layout.width = 2;
    layout.height = 2;
    layout.bitsPerPixel = 32;
    layout.rows = {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14, 15, 16}};
    return MakeBitmapFile(layout);
}

TEST(StoredPicture, SplitsTypeNameFromItsData) {
    const Bytes stored = {3, 'A', 'b', 'c', 9, 8};
    const auto picture = SplitStoredPicture(stored);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->typeName, "Abc");
    EXPECT_EQ(Bytes(picture->data.begin(), picture->data.end()), (Bytes{9, 8}));

    // An unknown type is only a name here; deciding what to do with it is the registry's business.
    const Bytes unknown = {7, 'T', 'W', 'h', 'a', 't', 'e', 'v'};
    const auto other = SplitStoredPicture(unknown);
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(other->typeName, "TWhatev");
    EXPECT_TRUE(other->data.empty());

    const auto nameless = SplitStoredPicture(Bytes{0, 1});
    ASSERT_TRUE(nameless.has_value());
    EXPECT_EQ(nameless->typeName, "");
    EXPECT_EQ(nameless->data.size(), 1u);
}

TEST(StoredPicture, NameRunningPastTheEndFails) {
    EXPECT_FALSE(SplitStoredPicture(Bytes{}).has_value());
    EXPECT_FALSE(SplitStoredPicture(Bytes{1}).has_value());
    EXPECT_FALSE(SplitStoredPicture(Bytes{4, 'a', 'b', 'c'}).has_value());
    EXPECT_FALSE(SplitStoredPicture(Bytes{255}).has_value());
}

TEST(StoredPicture, ReadsTheBitmapAfterItsLength) {
    const Bytes stored = MakeStoredPicture("TPNGGraphic", Small32File());
    const auto picture = SplitStoredPicture(stored);
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->typeName, "TPNGGraphic");
    const auto result = ReadStoredBitmapData(picture->data);
    const auto* bitmap = std::get_if<core::DecodedBitmap>(&result);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->pixels, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

TEST(StoredPicture, ZeroLengthIsAnEmptyPicture) {
    EXPECT_TRUE(std::holds_alternative<core::EmptyPicture>(ReadStoredBitmapData(Bytes{0, 0, 0, 0})));
    EXPECT_TRUE(std::holds_alternative<core::EmptyPicture>(ReadStoredBitmapData(Bytes{0, 0, 0, 0, 'x'})));
}

TEST(StoredPicture, LengthBeyondTheDataIsAReadError) {
    for (const Bytes& data :
         {Bytes{}, Bytes{1, 0, 0}, Bytes{1, 0, 0, 0}, Bytes{0xFF, 0xFF, 0xFF, 0xFF, 'B', 'M'}}) {
        const auto result = ReadStoredBitmapData(data);
        ASSERT_TRUE(std::holds_alternative<BitmapReadError>(result));
        EXPECT_EQ(std::get<BitmapReadError>(result).kind, BitmapError::StreamRead);
        EXPECT_EQ(std::get<BitmapReadError>(result).message, "Stream read error");
    }
}

TEST(StoredPicture, LengthBoundsTheFileImage) {
    const Bytes file = Small32File();
    Bytes data(4);
    PutU32(data, 0, static_cast<uint32_t>(file.size()));
    data.insert(data.end(), file.begin(), file.end());
    data.push_back(0xEE); // whatever the stream holds next is not read
    EXPECT_TRUE(std::holds_alternative<core::DecodedBitmap>(ReadStoredBitmapData(data)));

    // A length that cuts the image short fails even though the bytes are there.
    PutU32(data, 0, static_cast<uint32_t>(file.size() - 1));
    EXPECT_TRUE(std::holds_alternative<BitmapReadError>(ReadStoredBitmapData(data)));

    for (size_t size = 4; size < data.size() - 1; ++size) {
        PutU32(data, 0, static_cast<uint32_t>(file.size()));
        const Bytes prefix(data.begin(), data.begin() + static_cast<ptrdiff_t>(size));
        EXPECT_TRUE(std::holds_alternative<BitmapReadError>(ReadStoredBitmapData(prefix))) << size;
    }
}

TEST(StoredPicture, WrongMagicGivesTheInvalidImageMessage) {
    Bytes stored = MakeStoredPicture("TPNGGraphic", Small32File());
    stored[16] = 'X';
    const auto result = ReadStoredBitmapData(SplitStoredPicture(stored)->data);
    ASSERT_TRUE(std::holds_alternative<BitmapReadError>(result));
    EXPECT_EQ(std::get<BitmapReadError>(result).message, "Bitmap image is not valid");
}

TEST(StoredPicture, AboutPictureLayoutKeepsAllAlphaLevels) {
    BitmapLayout layout;
    layout.width = 175;
    layout.height = 215;
    layout.bitsPerPixel = 32;
    for (int y = 0; y < 215; ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 175; ++x) {
            row.insert(row.end(), {255, 255, 255, static_cast<uint8_t>(x + y * 175)});
        }
        layout.rows.push_back(row);
    }
    const Bytes stored = MakeStoredPicture("TPNGGraphic", MakeBitmapFile(layout));
    ASSERT_EQ(stored.size(), 150570u);

    const auto result = ReadStoredBitmapData(SplitStoredPicture(stored)->data);
    const auto* bitmap = std::get_if<core::DecodedBitmap>(&result);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->width, 175);
    EXPECT_EQ(bitmap->height, 215);
    EXPECT_EQ(bitmap->bitsPerPixel, 32);
    std::set<uint8_t> alphas;
    for (size_t i = 3; i < bitmap->pixels.size(); i += 4) {
        alphas.insert(bitmap->pixels[i]);
    }
    EXPECT_EQ(alphas.size(), 256u);
    EXPECT_EQ(bitmap->pixels[3], layout.rows[0][3]);
}

} // namespace
