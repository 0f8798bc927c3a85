#pragma once

#include "core/ImageView.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// An in-memory picture with padded rows, so a reader that ignores the stride reads wrong pixels.
class TestImage {
public:
    TestImage(int width, int height, int bytesPerPixel, int rowPadding = 5);

    void Set(int x, int y, uint32_t color, uint8_t alpha = 0xFF);
    void Fill(uint32_t color, uint8_t alpha = 0xFF);
    uint8_t* Pixel(int x, int y);

    core::ImageView View() const;
    core::MutableImageView MutableView();

private:
    int width_;
    int height_;
    int bytesPerPixel_;
    ptrdiff_t stride_;
    std::vector<uint8_t> bits_;
};

// Fields of a bitmap file image to write; rows are given top row first, unpadded.
struct BitmapLayout {
    int32_t width = 1;
    int32_t height = 1; // negative writes the rows top-down
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette; // 0x00RRGGBB as stored in the file (blue in the low byte)
    std::vector<uint32_t> masks;   // written after a 40-byte header, or inside a longer one
    std::vector<std::vector<uint8_t>> rows;
};

std::vector<uint8_t> MakeBitmapFile(const BitmapLayout& layout);

// The stored form of a bitmap picture: length byte, type name, 4-byte length, file image.
std::vector<uint8_t> MakeStoredPicture(const std::string& typeName, const std::vector<uint8_t>& file);

void PutU16(std::vector<uint8_t>& data, size_t at, uint16_t value);
void PutU32(std::vector<uint8_t>& data, size_t at, uint32_t value);

} // namespace testing_support
