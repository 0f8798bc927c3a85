#include "TestBitmaps.h"

#include <algorithm>
#include <string>

namespace testing_support {

TestImage::TestImage(int width, int height, int bytesPerPixel, int rowPadding)
    : width_(width), height_(height), bytesPerPixel_(bytesPerPixel),
      stride_(static_cast<ptrdiff_t>(width) * bytesPerPixel + rowPadding),
      bits_(static_cast<size_t>(stride_ * height), 0xA5) {}

uint8_t* TestImage::Pixel(int x, int y) {
    return bits_.data() + y * stride_ + x * bytesPerPixel_;
}

void TestImage::Set(int x, int y, uint32_t color, uint8_t alpha) {
    uint8_t* p = Pixel(x, y);
    p[0] = static_cast<uint8_t>(color >> 16);
    p[1] = static_cast<uint8_t>(color >> 8);
    p[2] = static_cast<uint8_t>(color);
    if (bytesPerPixel_ == 4) {
        p[3] = alpha;
    }
}

void TestImage::Fill(uint32_t color, uint8_t alpha) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Set(x, y, color, alpha);
        }
    }
}

core::ImageView TestImage::View() const {
    return {bits_.empty() ? nullptr : bits_.data(), width_, height_, stride_, bytesPerPixel_};
}

core::MutableImageView TestImage::MutableView() {
    return {bits_.empty() ? nullptr : bits_.data(), width_, height_, stride_, bytesPerPixel_};
}

void PutU16(std::vector<uint8_t>& data, size_t at, uint16_t value) {
    data[at] = static_cast<uint8_t>(value);
    data[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(std::vector<uint8_t>& data, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        data[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

std::vector<uint8_t> MakeBitmapFile(const BitmapLayout& layout) {
    const size_t stride = (static_cast<size_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
    const bool extraMasks = layout.headerSize == 40 && !layout.masks.empty();
    const size_t tablesAt = 14 + layout.headerSize + (extraMasks ? layout.masks.size() * 4 : 0);
    const size_t pixelsAt = tablesAt + layout.palette.size() * 4;
    std::vector<uint8_t> file(pixelsAt + stride * layout.rows.size(), 0);

    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<uint32_t>(file.size()));
    PutU32(file, 10, static_cast<uint32_t>(pixelsAt));
    PutU32(file, 14, layout.headerSize);
    PutU32(file, 18, static_cast<uint32_t>(layout.width));
    PutU32(file, 22, static_cast<uint32_t>(layout.height));
    PutU16(file, 26, 1);
    PutU16(file, 28, layout.bitsPerPixel);
    PutU32(file, 30, layout.compression);
    PutU32(file, 34, static_cast<uint32_t>(stride * layout.rows.size()));
    PutU32(file, 46, layout.colorsUsed);
    for (size_t i = 0; i < layout.masks.size(); ++i) {
        PutU32(file, 54 + 4 * i, layout.masks[i]);
    }
    for (size_t i = 0; i < layout.palette.size(); ++i) {
        PutU32(file, tablesAt + 4 * i, layout.palette[i]);
    }
    const size_t rowCount = layout.rows.size();
    for (size_t y = 0; y < rowCount; ++y) {
        const size_t fileRow = layout.height > 0 ? rowCount - 1 - y : y;
        const auto& row = layout.rows[y];
        std::copy(row.begin(), row.end(), file.begin() + static_cast<ptrdiff_t>(pixelsAt + fileRow * stride));
    }
    return file;
}

std::vector<uint8_t> MakeStoredPicture(const std::string& typeName, const std::vector<uint8_t>& file) {
    std::vector<uint8_t> stored;
    stored.push_back(static_cast<uint8_t>(typeName.size()));
    stored.insert(stored.end(), typeName.begin(), typeName.end());
    const size_t lengthAt = stored.size();
    stored.resize(lengthAt + 4);
    PutU32(stored, lengthAt, static_cast<uint32_t>(file.size()));
    stored.insert(stored.end(), file.begin(), file.end());
    return stored;
}

} // namespace testing_support
