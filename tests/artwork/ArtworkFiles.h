// Loading the committed artwork for the checks.
#pragma once

#include "core/BitmapFile.h"

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

// A bitmap file as found on disk: its header's format fields and the decoded pixels.
struct ArtworkFile {
    int headerBitCount = 0;
    uint32_t headerCompression = 0;
    bool bottomUp = false;
    core::DecodedBitmap bitmap;

    int Width() const { return bitmap.width; }
    int Height() const { return bitmap.height; }
    Rgb At(int x, int y) const;
};

// The file decoded, or nullopt with `error` set when it is missing or unreadable.
std::optional<ArtworkFile> LoadArtwork(const std::filesystem::path& file, std::string& error);

} // namespace artwork
