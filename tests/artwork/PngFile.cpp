#include "PngFile.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>

namespace artwork {
namespace {

uint32_t Be32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

} // namespace

std::optional<PngImage> DecodePng(std::span<const uint8_t> file, std::string& error) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) {
        error = "no PNG signature";
        return std::nullopt;
    }
    PngImage image;
    std::string packed;
    bool header = false, end = false;
    for (size_t at = 8; at + 12 <= file.size() && !end;) {
        const uint32_t length = Be32(&file[at]);
        if (length > file.size() - at - 12) {
            error = "a chunk runs past the end";
            return std::nullopt;
        }
        const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        const uint8_t* data = &file[at + 8];
        if (crc32(crc32(0, &file[at + 4], 4), data, length) != Be32(data + length)) {
            error = "bad checksum in chunk " + type;
            return std::nullopt;
        }
        if (type == "IHDR" && length == 13) {
            image.bitmap.width = static_cast<int>(Be32(data));
            image.bitmap.height = static_cast<int>(Be32(data + 4));
            image.colourType = data[9];
            if (data[8] != 8 || (data[9] != 2 && data[9] != 6) || data[10] != 0 || data[11] != 0 ||
                data[12] != 0 || image.bitmap.width <= 0 || image.bitmap.height <= 0 ||
                image.bitmap.width > 1 << 14 || image.bitmap.height > 1 << 14) {
                error = "not an 8-bit, non-interlaced RGB or RGBA PNG";
                return std::nullopt;
            }
            header = true;
        } else if (type == "IDAT") {
            packed.append(reinterpret_cast<const char*>(data), length);
        } else if (type == "IEND") {
            end = true;
        }
        at += 12 + length;
    }
    if (!header || !end) {
        error = "no IHDR or IEND chunk";
        return std::nullopt;
    }
    const size_t bpp = image.colourType == 6 ? 4 : 3;
    const size_t width = static_cast<size_t>(image.bitmap.width);
    const size_t height = static_cast<size_t>(image.bitmap.height);
    const size_t rowBytes = width * bpp;
    std::vector<uint8_t> raw(height * (rowBytes + 1));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(packed.data()),
                   static_cast<uLong>(packed.size())) != Z_OK ||
        rawSize != raw.size()) {
        error = "the image data does not inflate to its rows";
        return std::nullopt;
    }
    std::vector<uint8_t> rows(height * rowBytes);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t filter = raw[y * (rowBytes + 1)];
        const uint8_t* in = &raw[y * (rowBytes + 1) + 1];
        uint8_t* out = &rows[y * rowBytes];
        const uint8_t* above = y > 0 ? &rows[(y - 1) * rowBytes] : nullptr;
        if (filter > 4) {
            error = "unknown row filter";
            return std::nullopt;
        }
        for (size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= bpp ? out[i - bpp] : 0;
            const int b = above ? above[i] : 0;
            const int c = above && i >= bpp ? above[i - bpp] : 0;
            const int predicted = filter == 1   ? a
                                  : filter == 2 ? b
                                  : filter == 3 ? (a + b) / 2
                                  : filter == 4 ? Paeth(a, b, c)
                                                : 0;
            out[i] = static_cast<uint8_t>(in[i] + predicted);
        }
    }
    // Red, green, blue[, alpha] to the bitmap's blue, green, red[, alpha].
    image.bitmap.bitsPerPixel = static_cast<int>(bpp * 8);
    image.bitmap.pixels = std::move(rows);
    for (size_t i = 0; i < image.bitmap.pixels.size(); i += bpp) {
        std::swap(image.bitmap.pixels[i], image.bitmap.pixels[i + 2]);
    }
    return image;
}

} // namespace artwork
