#include "BitmapFile.h"

#include "ByteReader.h"

#include <climits>
#include <cstring>
#include <utility>

namespace core {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kJpeg = 4;
constexpr uint32_t kPng = 5;
// Keeps every size the callers derive from a decoded bitmap well inside int.
constexpr uint64_t kMaxOutputBytes = uint64_t{1} << 30;

enum class Layout { Indexed, Rgb555, Rgb565, Bgr24, Bgra32 };

struct Format {
    Layout layout;
    size_t tableEnd;      // first byte after header, masks and palette
    size_t paletteAt = 0; // indexed only
    uint32_t paletteSize = 0;
};

BitmapReadError Fail(BitmapError kind, std::string message) {
    return {kind, std::move(message)};
}

BitmapReadError StreamReadError() {
    return Fail(BitmapError::StreamRead, "Stream read error");
}

bool IsKnownHeaderSize(uint32_t size) {
    // BITMAPINFOHEADER, its two extended forms with masks, V4 and V5; all begin with the same 40 bytes.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Works out how the pixels are laid out and where the tables end, or why they cannot be read.
std::variant<Format, BitmapReadError> ReadFormat(std::span<const uint8_t> file, uint32_t headerSize, int bpp,
                                                 uint32_t compression, uint32_t colorsUsed) {
    size_t tableEnd = kFileHeaderSize + headerSize;
    switch (compression) {
    case kRgb:
        break;
    case kBitFields: {
        if (bpp != 16 && bpp != 32) {
            return Fail(BitmapError::Invalid, "Bitmap colour masks need 16 or 32 bits per pixel");
        }
        // A plain 40-byte header is followed by the three masks; the longer headers hold them.
        const size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (headerSize == kInfoHeaderSize) {
            tableEnd += 12;
            if (file.size() < tableEnd) {
                return StreamReadError();
            }
        }
        const uint32_t red = ReadU32(file, masksAt);
        const uint32_t green = ReadU32(file, masksAt + 4);
        const uint32_t blue = ReadU32(file, masksAt + 8);
        if (bpp == 32 && red == 0xFF0000 && green == 0xFF00 && blue == 0xFF) {
            return Format{Layout::Bgra32, tableEnd};
        }
        if (bpp == 16 && red == 0x7C00 && green == 0x3E0 && blue == 0x1F) {
            return Format{Layout::Rgb555, tableEnd};
        }
        if (bpp == 16 && red == 0xF800 && green == 0x7E0 && blue == 0x1F) {
            return Format{Layout::Rgb565, tableEnd};
        }
        return Fail(BitmapError::Unsupported, "Bitmap colour masks are not supported");
    }
    case kRle8:
    case kRle4:
        return Fail(BitmapError::Unsupported, "Run-length encoded bitmaps are not supported");
    case kJpeg:
    case kPng:
        return Fail(BitmapError::Unsupported, "Bitmaps holding JPEG or PNG data are not supported");
    default:
        return Fail(BitmapError::Unsupported,
                    "Bitmap compression " + std::to_string(compression) + " is not supported");
    }

    switch (bpp) {
    case 16:
        return Format{Layout::Rgb555, tableEnd};
    case 24:
        return Format{Layout::Bgr24, tableEnd};
    case 32:
        return Format{Layout::Bgra32, tableEnd};
    default:
        break;
    }
    const uint32_t maxColors = uint32_t{1} << bpp;
    if (colorsUsed > maxColors) {
        return Fail(BitmapError::Invalid, "Bitmap palette is larger than its bits per pixel allow");
    }
    const uint32_t paletteSize = colorsUsed == 0 ? maxColors : colorsUsed;
    const size_t paletteAt = tableEnd;
    tableEnd += size_t{paletteSize} * 4;
    if (file.size() < tableEnd) {
        return StreamReadError();
    }
    return Format{Layout::Indexed, tableEnd, paletteAt, paletteSize};
}

inline uint8_t Expand5(unsigned v) {
    return static_cast<uint8_t>(v << 3 | v >> 2);
}
inline uint8_t Expand6(unsigned v) {
    return static_cast<uint8_t>(v << 2 | v >> 4);
}

template <int Bpp> inline unsigned IndexAt(const uint8_t* row, int x) {
    if constexpr (Bpp == 8) {
        return row[x];
    } else if constexpr (Bpp == 4) {
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    } else {
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
}

// False when a pixel names a colour beyond the palette.
template <int Bpp>
bool DecodeIndexedRow(const uint8_t* src, int width, const uint8_t* palette, uint32_t paletteSize,
                      uint8_t* out) {
    for (int x = 0; x < width; ++x, out += 3) {
        const unsigned index = IndexAt<Bpp>(src, x);
        if (index >= paletteSize) {
            return false;
        }
        const uint8_t* entry = palette + size_t{index} * 4;
        out[0] = entry[0];
        out[1] = entry[1];
        out[2] = entry[2];
    }
    return true;
}

template <bool Is565> void DecodeRow16(const uint8_t* src, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x, src += 2, out += 3) {
        const unsigned v = static_cast<unsigned>(src[0] | src[1] << 8);
        if constexpr (Is565) {
            out[0] = Expand5(v & 0x1F);
            out[1] = Expand6((v >> 5) & 0x3F);
            out[2] = Expand5((v >> 11) & 0x1F);
        } else {
            out[0] = Expand5(v & 0x1F);
            out[1] = Expand5((v >> 5) & 0x1F);
            out[2] = Expand5((v >> 10) & 0x1F);
        }
    }
}

bool DecodeRow(const Format& format, int bpp, std::span<const uint8_t> file, const uint8_t* src, int width,
               uint8_t* out) {
    const uint8_t* palette = file.data() + format.paletteAt;
    switch (format.layout) {
    case Layout::Indexed:
        if (bpp == 8) {
            return DecodeIndexedRow<8>(src, width, palette, format.paletteSize, out);
        }
        if (bpp == 4) {
            return DecodeIndexedRow<4>(src, width, palette, format.paletteSize, out);
        }
        return DecodeIndexedRow<1>(src, width, palette, format.paletteSize, out);
    case Layout::Rgb555:
        DecodeRow16<false>(src, width, out);
        return true;
    case Layout::Rgb565:
        DecodeRow16<true>(src, width, out);
        return true;
    case Layout::Bgr24:
        std::memcpy(out, src, static_cast<size_t>(width) * 3);
        return true;
    case Layout::Bgra32:
        std::memcpy(out, src, static_cast<size_t>(width) * 4);
        return true;
    }
    return false;
}

} // namespace

BitmapReadResult ReadBitmapFile(std::span<const uint8_t> file) {
    if (file.size() < kFileHeaderSize) {
        return StreamReadError();
    }
    if (file[0] != 'B' || file[1] != 'M') {
        return Fail(BitmapError::NotABitmap, "Bitmap image is not valid");
    }
    const uint32_t pixelsAt = ReadU32(file, 10);
    if (file.size() < kFileHeaderSize + 4) {
        return StreamReadError();
    }
    const uint32_t headerSize = ReadU32(file, kFileHeaderSize);
    if (!IsKnownHeaderSize(headerSize)) {
        return Fail(BitmapError::Unsupported,
                    "Bitmap information header of " + std::to_string(headerSize) + " bytes is not supported");
    }
    if (file.size() < kFileHeaderSize + headerSize) {
        return StreamReadError();
    }
    const int32_t width = ReadI32(file, 18);
    const int32_t storedHeight = ReadI32(file, 22);
    const uint16_t planes = ReadU16(file, 26);
    const int bpp = ReadU16(file, 28);
    const uint32_t compression = ReadU32(file, 30);
    const uint32_t colorsUsed = ReadU32(file, 46);

    if (planes != 1) {
        return Fail(BitmapError::Invalid, "Bitmap must have one plane");
    }
    if (width <= 0) {
        return Fail(BitmapError::Invalid, "Bitmap width must be positive");
    }
    // A negative height stores rows top-down; INT_MIN has no positive counterpart.
    if (storedHeight == 0 || storedHeight == INT_MIN) {
        return Fail(BitmapError::Invalid, "Bitmap height is not valid");
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        return Fail(BitmapError::Invalid,
                    "Bitmap with " + std::to_string(bpp) + " bits per pixel is not valid");
    }

    auto formatOrError = ReadFormat(file, headerSize, bpp, compression, colorsUsed);
    if (auto* error = std::get_if<BitmapReadError>(&formatOrError)) {
        return std::move(*error);
    }
    const Format format = std::get<Format>(formatOrError);

    if (pixelsAt < format.tableEnd || pixelsAt > file.size()) {
        return Fail(BitmapError::Invalid, "Bitmap pixel data offset is not valid");
    }
    const bool bottomUp = storedHeight > 0;
    const int height = bottomUp ? storedHeight : -storedHeight;
    // 64-bit arithmetic: width * bpp reaches 2^36, so the stride never overflows here.
    const uint64_t stride =
        (uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(bpp) + 31) / 32 * 4;
    const uint64_t available = file.size() - pixelsAt;
    if (stride > available / static_cast<uint64_t>(height)) {
        return StreamReadError();
    }
    const int outBpp = bpp == 32 ? 32 : 24;
    const uint64_t outStride = uint64_t{static_cast<uint32_t>(width)} * (outBpp / 8);
    if (outStride * static_cast<uint64_t>(height) > kMaxOutputBytes) {
        return Fail(BitmapError::Unsupported, "Bitmap image is too large");
    }

    DecodedBitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.bitsPerPixel = outBpp;
    bitmap.pixels.resize(static_cast<size_t>(outStride * static_cast<uint64_t>(height)));
    for (int y = 0; y < height; ++y) {
        const int fileRow = bottomUp ? height - 1 - y : y;
        const uint8_t* src = file.data() + pixelsAt + static_cast<size_t>(fileRow) * stride;
        uint8_t* out = bitmap.pixels.data() + static_cast<size_t>(y) * outStride;
        if (!DecodeRow(format, bpp, file, src, width, out)) {
            return Fail(BitmapError::Invalid, "Bitmap palette index is out of range");
        }
    }
    return bitmap;
}

} // namespace core
