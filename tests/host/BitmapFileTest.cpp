#include "core/BitmapFile.h"

#include "core/PixelRuns.h"
#include "TestBitmaps.h"

#include <gtest/gtest.h>

#include <climits>

using core::BitmapError;
using core::BitmapReadError;
using core::DecodedBitmap;
using core::ReadBitmapFile;
using testing_support::BitmapLayout;
using testing_support::MakeBitmapFile;
using testing_support::PutU16;
using testing_support::PutU32;

namespace {

using Bytes = std::vector<uint8_t>;

DecodedBitmap Decoded(const core::BitmapReadResult& result) {
    if (const auto* error = std::get_if<BitmapReadError>(&result)) {
        ADD_FAILURE() << "read failed: " << error->message;
    }
    const auto* bitmap = std::get_if<DecodedBitmap>(&result);
    return bitmap ? *bitmap : DecodedBitmap{};
}

BitmapError ErrorKind(const core::BitmapReadResult& result) {
    const auto* error = std::get_if<BitmapReadError>(&result);
    EXPECT_NE(error, nullptr) << "read did not fail";
    return error ? error->kind : BitmapError::StreamRead;
}

// A 3 x 2 24-bit picture: rows are padded to 12 bytes in the file.
BitmapLayout Small24(int32_t height = 2) {
    BitmapLayout layout;
    layout.width = 3;
    layout.height = height;
    layout.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {11, 12, 13, 14, 15, 16, 17, 18, 19}};
    return layout;
}

TEST(BitmapFile, RowsComeOutTopDownWhateverTheFileOrder) {
    for (int32_t height : {2, -2}) {
        const Bytes file = MakeBitmapFile(Small24(height));
        const DecodedBitmap bitmap = Decoded(ReadBitmapFile(file));
        EXPECT_EQ(bitmap.width, 3);
        EXPECT_EQ(bitmap.height, 2);
        EXPECT_EQ(bitmap.bitsPerPixel, 24);
        EXPECT_EQ(bitmap.Stride(), 9);
        EXPECT_EQ(bitmap.pixels, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19}))
            << "height " << height;
    }
}

TEST(BitmapFile, ThirtyTwoBitKeepsItsAlphaBytes) {
    BitmapLayout layout;
    layout.width = 2;
    layout.height = 1;
    layout.bitsPerPixel = 32;
    layout.rows = {{10, 20, 30, 0, 40, 50, 60, 255}};
    const DecodedBitmap bitmap = Decoded(ReadBitmapFile(MakeBitmapFile(layout)));
    EXPECT_EQ(bitmap.bitsPerPixel, 32);
    EXPECT_EQ(bitmap.pixels, layout.rows[0]);
}

TEST(BitmapFile, PaletteDepthsExpandTo24Bit) {
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    struct Case {
        uint16_t bpp;
        Bytes row; // indices 0, 1, 2, 3, 1
    } cases[] = {{8, {0, 1, 2, 3, 1}}, {4, {0x01, 0x23, 0x10}}, {1, {0b01011000}}};
    for (const auto& c : cases) {
        BitmapLayout layout;
        layout.width = 5;
        layout.height = 1;
        layout.bitsPerPixel = c.bpp;
        layout.palette = c.bpp == 1 ? std::vector<uint32_t>{0x000000, 0xFF0000} : palette;
        layout.colorsUsed = static_cast<uint32_t>(layout.palette.size());
        layout.rows = {c.row};
        const DecodedBitmap bitmap = Decoded(ReadBitmapFile(MakeBitmapFile(layout)));
        const Bytes expected = c.bpp == 1 ? Bytes{0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 0, 0, 255}
                                          : Bytes{0, 0, 0, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 255};
        EXPECT_EQ(bitmap.bitsPerPixel, 24);
        EXPECT_EQ(bitmap.pixels, expected) << c.bpp << " bpp";
    }
}

TEST(BitmapFile, PaletteIndexBeyondThePaletteFails) {
    BitmapLayout layout;
    layout.width = 2;
    layout.bitsPerPixel = 8;
    layout.palette = {0x112233, 0x445566};
    layout.colorsUsed = 2;
    layout.rows = {{1, 2}};
    EXPECT_EQ(ErrorKind(ReadBitmapFile(MakeBitmapFile(layout))), BitmapError::Invalid);

    layout.colorsUsed = 257; // more than 8 bits can index
    EXPECT_EQ(ErrorKind(ReadBitmapFile(MakeBitmapFile(layout))), BitmapError::Invalid);
}

TEST(BitmapFile, PaletteRunningPastTheEndFails) {
    BitmapLayout layout;
    layout.width = 1;
    layout.bitsPerPixel = 8; // colorsUsed 0 means 256 entries, none of which is written
    layout.rows = {{0}};
    EXPECT_EQ(ErrorKind(ReadBitmapFile(MakeBitmapFile(layout))), BitmapError::StreamRead);
}

TEST(BitmapFile, SixteenBitLayouts) {
    BitmapLayout layout;
    layout.width = 2;
    layout.bitsPerPixel = 16;
    layout.rows = {{0x00, 0x7C, 0x1F, 0x00}}; // 555: pure red, pure blue
    EXPECT_EQ(Decoded(ReadBitmapFile(MakeBitmapFile(layout))).pixels, (Bytes{0, 0, 255, 255, 0, 0}));

    layout.compression = 3;
    layout.masks = {0xF800, 0x07E0, 0x001F};
    layout.rows = {{0xE0, 0x07, 0x80, 0x80}}; // 565: pure green; red 16 of 31 with green 4 of 63
    EXPECT_EQ(Decoded(ReadBitmapFile(MakeBitmapFile(layout))).pixels, (Bytes{0, 255, 0, 0, 16, 132}));
}

TEST(BitmapFile, StandardMasksAndLongerHeadersAreRead) {
    for (uint32_t headerSize : {40u, 56u, 108u, 124u}) {
        BitmapLayout layout;
        layout.width = 1;
        layout.bitsPerPixel = 32;
        layout.compression = 3;
        layout.headerSize = headerSize;
        layout.masks = {0xFF0000, 0xFF00, 0xFF};
        layout.rows = {{1, 2, 3, 4}};
        EXPECT_EQ(Decoded(ReadBitmapFile(MakeBitmapFile(layout))).pixels, layout.rows[0]) << headerSize;

        layout.masks = {0xFF, 0xFF00, 0xFF0000};
        EXPECT_EQ(ErrorKind(ReadBitmapFile(MakeBitmapFile(layout))), BitmapError::Unsupported) << headerSize;
    }
}

TEST(BitmapFile, EveryTruncationFailsCleanly) {
    BitmapLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.bitsPerPixel = 4;
    layout.palette = {0x000000, 0xFFFFFF};
    layout.colorsUsed = 2;
    layout.rows = {{0x01, 0x00}, {0x10, 0x10}};
    const Bytes file = MakeBitmapFile(layout);
    ASSERT_FALSE(Decoded(ReadBitmapFile(file)).pixels.empty());
    for (size_t size = 0; size < file.size(); ++size) {
        // A copy of exactly that size, so AddressSanitizer sees any read beyond it.
        const Bytes prefix(file.begin(), file.begin() + static_cast<ptrdiff_t>(size));
        EXPECT_TRUE(std::holds_alternative<BitmapReadError>(ReadBitmapFile(prefix))) << size;
    }
}

TEST(BitmapFile, WrongMagicGivesTheInvalidImageMessage) {
    Bytes file = MakeBitmapFile(Small24());
    file[1] = 'A';
    const auto result = ReadBitmapFile(file);
    ASSERT_TRUE(std::holds_alternative<BitmapReadError>(result));
    EXPECT_EQ(std::get<BitmapReadError>(result).kind, BitmapError::NotABitmap);
    EXPECT_EQ(std::get<BitmapReadError>(result).message, "Bitmap image is not valid");
}

TEST(BitmapFile, ImpossibleSizesFailWithoutAllocating) {
    struct Case {
        int32_t width;
        int32_t height;
        BitmapError kind;
    } cases[] = {
        {0, 2, BitmapError::Invalid},
        {-3, 2, BitmapError::Invalid},
        {3, 0, BitmapError::Invalid},
        {3, INT_MIN, BitmapError::Invalid},
        {INT_MAX, 2, BitmapError::StreamRead},
        {3, INT_MAX, BitmapError::StreamRead},
        {INT_MAX, INT_MAX, BitmapError::StreamRead},
        {INT_MAX, -INT_MAX, BitmapError::StreamRead},
        {5, 2, BitmapError::StreamRead},
        {3, 3, BitmapError::StreamRead}, // rows beyond the data
    };
    for (const auto& c : cases) {
        Bytes file = MakeBitmapFile(Small24());
        PutU32(file, 18, static_cast<uint32_t>(c.width));
        PutU32(file, 22, static_cast<uint32_t>(c.height));
        EXPECT_EQ(ErrorKind(ReadBitmapFile(file)), c.kind) << c.width << " x " << c.height;
    }
}

TEST(BitmapFile, PixelOffsetMustLieBetweenTheTablesAndTheEnd) {
    for (uint32_t offset : {0u, 14u, 53u, 0xFFFFFFFFu}) {
        Bytes file = MakeBitmapFile(Small24());
        PutU32(file, 10, offset);
        EXPECT_EQ(ErrorKind(ReadBitmapFile(file)), BitmapError::Invalid) << offset;
    }
    Bytes file = MakeBitmapFile(Small24());
    PutU32(file, 10, 55); // rows would end one byte past the file
    EXPECT_EQ(ErrorKind(ReadBitmapFile(file)), BitmapError::StreamRead);
    PutU32(file, 10, static_cast<uint32_t>(file.size()));
    EXPECT_EQ(ErrorKind(ReadBitmapFile(file)), BitmapError::StreamRead);
}

TEST(BitmapFile, UnknownDepthsCompressionsHeadersAndPlanesFail) {
    for (uint16_t bpp : {0, 2, 7, 15, 48, 64}) {
        Bytes file = MakeBitmapFile(Small24());
        PutU16(file, 28, bpp);
        EXPECT_EQ(ErrorKind(ReadBitmapFile(file)), BitmapError::Invalid) << bpp << " bpp";
    }
    for (uint32_t compression : {1u, 2u, 4u, 5u, 6u, 11u}) {
        Bytes file = MakeBitmapFile(Small24());
        PutU32(file, 30, compression);
        EXPECT_EQ(ErrorKind(ReadBitmapFile(file)), BitmapError::Unsupported) << "compression " << compression;
    }
    Bytes bitFields24 = MakeBitmapFile(Small24());
    PutU32(bitFields24, 30, 3);
    EXPECT_EQ(ErrorKind(ReadBitmapFile(bitFields24)), BitmapError::Invalid);

    for (uint32_t headerSize : {0u, 12u, 39u, 64u, 0xFFFFFFFFu}) {
        Bytes file = MakeBitmapFile(Small24());
        PutU32(file, 14, headerSize);
        EXPECT_EQ(ErrorKind(ReadBitmapFile(file)), BitmapError::Unsupported) << "header " << headerSize;
    }
    Bytes noPlanes = MakeBitmapFile(Small24());
    PutU16(noPlanes, 26, 0);
    EXPECT_EQ(ErrorKind(ReadBitmapFile(noPlanes)), BitmapError::Invalid);
}

TEST(BitmapFile, DecodedSkinFeedsTheRunScanner) {
    BitmapLayout layout;
    layout.width = 4;
    layout.height = 2;
    layout.rows = {{0xFF, 0, 0xFF, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 0xFF, 0, 0xFF, 1, 1, 1, 1, 1, 1}};
    const DecodedBitmap bitmap = Decoded(ReadBitmapFile(MakeBitmapFile(layout)));
    EXPECT_EQ(core::ScanOpaqueRuns(bitmap.View(), 0xFF00FF),
              (std::vector<core::PixelRun>{{1, 3, 0}, {0, 1, 1}, {2, 3, 1}}));
}

} // namespace
