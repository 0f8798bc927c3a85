// PNG files for the pictures above 100%: 8-bit RGB or RGBA, not interlaced, each row filtered
// with the filter that gives it the smallest sum of absolute differences, one zlib stream.
#include "Raster.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace artgen {
namespace {

void U32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((v >> shift) & 0xFF);
    }
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    U32(out, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    U32(out, static_cast<uint32_t>(
                 crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

// The raster's pixel rows as PNG samples: straight alpha kept, or composited over black.
std::vector<std::vector<uint8_t>> Rows(const Raster& image, bool alpha) {
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < image.Height(); ++y) {
        std::vector<uint8_t> row;
        for (int x = 0; x < image.Width(); ++x) {
            const Color& c = image.At(x, y);
            if (alpha) {
                row.insert(row.end(), {ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(c.a * 255)});
            } else {
                row.insert(row.end(), {ToByte(c.r * c.a), ToByte(c.g * c.a), ToByte(c.b * c.a)});
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Filter types 0..4 applied to one row; `bpp` bytes per pixel.
std::vector<uint8_t> Filtered(const std::vector<uint8_t>& row, const std::vector<uint8_t>& above, int type,
                              size_t bpp) {
    std::vector<uint8_t> out(row.size() + 1);
    out[0] = static_cast<uint8_t>(type);
    for (size_t i = 0; i < row.size(); ++i) {
        const int a = i >= bpp ? row[i - bpp] : 0;
        const int b = above.empty() ? 0 : above[i];
        const int c = i >= bpp && !above.empty() ? above[i - bpp] : 0;
        int predicted = 0;
        switch (type) {
        case 1:
            predicted = a;
            break;
        case 2:
            predicted = b;
            break;
        case 3:
            predicted = (a + b) / 2;
            break;
        case 4:
            predicted = Paeth(a, b, c);
            break;
        default:
            break;
        }
        out[i + 1] = static_cast<uint8_t>(row[i] - predicted);
    }
    return out;
}

std::string Encode(const Raster& image, bool alpha) {
    const size_t bpp = alpha ? 4 : 3;
    const auto rows = Rows(image, alpha);
    std::string raw;
    for (size_t y = 0; y < rows.size(); ++y) {
        const std::vector<uint8_t> none;
        const std::vector<uint8_t>& above = y > 0 ? rows[y - 1] : none;
        std::vector<uint8_t> best;
        long bestCost = -1;
        for (int type = 0; type <= 4; ++type) {
            std::vector<uint8_t> candidate = Filtered(rows[y], above, type, bpp);
            long cost = 0;
            for (size_t i = 1; i < candidate.size(); ++i) {
                cost += candidate[i] < 128 ? candidate[i] : 256 - candidate[i];
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                best = std::move(candidate);
            }
        }
        raw.append(best.begin(), best.end());
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("cannot compress a PNG image");
    }
    packed.resize(size);

    std::string header;
    U32(header, static_cast<uint32_t>(image.Width()));
    U32(header, static_cast<uint32_t>(image.Height()));
    header += static_cast<char>(8);             // bits per sample
    header += static_cast<char>(alpha ? 6 : 2); // truecolour, with alpha or without
    header += std::string(3, '\0');             // deflate, adaptive filters, no interlace
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", packed);
    Chunk(png, "IEND", "");
    return png;
}

void Save(const std::filesystem::path& file, const std::string& bytes) {
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path());
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace

std::string PngRgba(const Raster& image) {
    return Encode(image, true);
}

void WritePngRgb(const std::filesystem::path& file, const Raster& image) {
    Save(file, Encode(image, false));
}

void WritePngRgba(const std::filesystem::path& file, const Raster& image) {
    Save(file, Encode(image, true));
}

} // namespace artgen
