// Loading the committed artwork for the checks.
#pragma once

#include "core/BitmapFile.h"
#include "core/Scale.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace artwork {

std::filesystem::path ResourcesDir();

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Largest channel difference.
int Distance(Rgb a, Rgb b);

// The file of a picture at a scale: at 100% the file itself ("skin.bmp"), above it a PNG in
// the scale's folder ("scaled/150/skin.png").
std::filesystem::path PictureAt(const std::string& file100, int dpi);

// "100", "150": for test names.
std::string PercentName(int dpi);

// A picture file as found on disk: its header's format fields and the decoded pixels. A
// bitmap file gives its bit count and compression; a PNG gives its colour type, 8 bits per
// sample and 8 * channels as its bit count.
struct ArtworkFile {
    bool png = false;
    int pngColourType = 0;
    int headerBitCount = 0;
    uint32_t headerCompression = 0;
    bool bottomUp = false;
    core::DecodedBitmap bitmap;

    int Width() const { return bitmap.width; }
    int Height() const { return bitmap.height; }
    Rgb At(int x, int y) const;
};

// The file decoded by its extension (.bmp or .png), or nullopt with `error` set when it is
// missing or unreadable.
std::optional<ArtworkFile> LoadArtwork(const std::filesystem::path& file, std::string& error);

} // namespace artwork
