#include "Raster.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace artgen {
namespace {

class Bytes {
public:
    void U8(unsigned v) { data_.push_back(static_cast<char>(v & 0xFF)); }
    void U16(unsigned v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    size_t Size() const { return data_.size(); }
    const std::string& Data() const { return data_; }
    void Append(const Bytes& other) { data_ += other.data_; }

private:
    std::string data_;
};

void Save(const std::filesystem::path& file, const Bytes& bytes) {
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path());
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.Data().data(), static_cast<std::streamsize>(bytes.Size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

void InfoHeader(Bytes& b, int width, int height, int bitCount, uint32_t imageSize) {
    b.U32(40);
    b.I32(width);
    b.I32(height);
    b.U16(1);
    b.U16(static_cast<unsigned>(bitCount));
    b.U32(0); // BI_RGB
    b.U32(imageSize);
    b.I32(0);
    b.I32(0);
    b.U32(0);
    b.U32(0);
}

// Pixel rows bottom-up, BGR or BGRA, each row padded to four bytes.
Bytes PixelRows(const Raster& image, int bitCount) {
    Bytes rows;
    const int rowBytes = image.Width() * bitCount / 8;
    const int padding = (4 - rowBytes % 4) % 4;
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Color& c = image.At(x, y);
            if (bitCount == 24) {
                rows.U8(ToByte(c.b * c.a));
                rows.U8(ToByte(c.g * c.a));
                rows.U8(ToByte(c.r * c.a));
            } else {
                rows.U8(ToByte(c.b));
                rows.U8(ToByte(c.g));
                rows.U8(ToByte(c.r));
                rows.U8(ToByte(c.a * 255));
            }
        }
        for (int i = 0; i < padding; ++i) {
            rows.U8(0);
        }
    }
    return rows;
}

void WriteBmp(const std::filesystem::path& file, const Raster& image, int bitCount) {
    const Bytes rows = PixelRows(image, bitCount);
    Bytes out;
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<uint32_t>(14 + 40 + rows.Size()));
    out.U32(0);
    out.U32(14 + 40);
    InfoHeader(out, image.Width(), image.Height(), bitCount, static_cast<uint32_t>(rows.Size()));
    out.Append(rows);
    Save(file, out);
}

} // namespace

void WriteBmp24(const std::filesystem::path& file, const Raster& image) {
    WriteBmp(file, image, 24);
}

void WriteBmp32(const std::filesystem::path& file, const Raster& image) {
    WriteBmp(file, image, 32);
}

void WriteIco(const std::filesystem::path& file, const std::vector<Raster>& images) {
    std::vector<Bytes> entries;
    for (const Raster& image : images) {
        if (image.Width() >= 256) {
            Bytes png;
            for (char c : PngRgba(image)) {
                png.U8(static_cast<unsigned char>(c));
            }
            entries.push_back(std::move(png));
            continue;
        }
        const Bytes xorRows = PixelRows(image, 32);
        // The AND mask marks fully transparent pixels for readers that ignore alpha.
        Bytes andRows;
        const int maskRowBytes = (image.Width() + 31) / 32 * 4;
        for (int y = image.Height() - 1; y >= 0; --y) {
            std::vector<unsigned> row(static_cast<size_t>(maskRowBytes), 0);
            for (int x = 0; x < image.Width(); ++x) {
                if (ToByte(image.At(x, y).a * 255) == 0) {
                    row[static_cast<size_t>(x / 8)] |= 0x80u >> (x % 8);
                }
            }
            for (unsigned v : row) {
                andRows.U8(v);
            }
        }
        Bytes entry;
        InfoHeader(entry, image.Width(), image.Height() * 2, 32,
                   static_cast<uint32_t>(xorRows.Size() + andRows.Size()));
        entry.Append(xorRows);
        entry.Append(andRows);
        entries.push_back(std::move(entry));
    }
    Bytes out;
    out.U16(0);
    out.U16(1); // icon
    out.U16(static_cast<unsigned>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.U8(images[i].Width() >= 256 ? 0 : static_cast<unsigned>(images[i].Width()));
        out.U8(images[i].Height() >= 256 ? 0 : static_cast<unsigned>(images[i].Height()));
        out.U8(0);
        out.U8(0);
        out.U16(1);
        out.U16(32);
        out.U32(static_cast<uint32_t>(entries[i].Size()));
        out.U32(offset);
        offset += static_cast<uint32_t>(entries[i].Size());
    }
    for (const Bytes& entry : entries) {
        out.Append(entry);
    }
    Save(file, out);
}

} // namespace artgen
