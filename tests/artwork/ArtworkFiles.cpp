#include "ArtworkFiles.h"

#include "PngFile.h"
#include "core/Scale.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace artwork {

// ORVALIS_RESOURCES_DIR in the environment points the checks at another copy of the artwork.
std::filesystem::path ResourcesDir() {
    const char* other = std::getenv("ORVALIS_RESOURCES_DIR");
    return other && *other ? other : ORVALIS_RESOURCES_DIR;
}

std::filesystem::path PictureAt(const std::string& file100, int dpi) {
    if (dpi == 96) {
        return file100;
    }
    std::filesystem::path file = std::filesystem::path("scaled") / PercentName(dpi) / file100;
    return file.replace_extension(".png");
}

std::string PercentName(int dpi) {
    return std::to_string(core::ScalePercent(dpi));
}

int Distance(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

Rgb ArtworkFile::At(int x, int y) const {
    const uint8_t* p = core::PixelAt(bitmap.View(), x, y);
    return Rgb{p[2], p[1], p[0]};
}

std::optional<ArtworkFile> LoadArtwork(const std::filesystem::path& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "missing " + file.string();
        return std::nullopt;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (file.extension() == ".png") {
        auto png = DecodePng(bytes, error);
        if (!png) {
            error = "unreadable " + file.string() + ": " + error;
            return std::nullopt;
        }
        ArtworkFile art;
        art.png = true;
        art.pngColourType = png->colourType;
        art.headerBitCount = png->bitmap.bitsPerPixel;
        art.bitmap = std::move(png->bitmap);
        return art;
    }
    if (bytes.size() < 54) {
        error = "too short " + file.string();
        return std::nullopt;
    }
    auto field = [&](size_t at, int size) {
        uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i) {
            v = v << 8 | bytes[at + static_cast<size_t>(i)];
        }
        return v;
    };
    ArtworkFile art;
    art.headerBitCount = static_cast<int>(field(28, 2));
    art.headerCompression = field(30, 4);
    art.bottomUp = static_cast<int32_t>(field(22, 4)) > 0;
    auto result = core::ReadBitmapFile(bytes);
    if (auto* failure = std::get_if<core::BitmapReadError>(&result)) {
        error = "unreadable " + file.string() + ": " + failure->message;
        return std::nullopt;
    }
    if (!std::holds_alternative<core::DecodedBitmap>(result)) {
        error = "empty " + file.string();
        return std::nullopt;
    }
    art.bitmap = std::move(std::get<core::DecodedBitmap>(result));
    return art;
}

} // namespace artwork
