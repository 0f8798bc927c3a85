#pragma once

#include "BitmapFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace core {

// A picture as a window description stores it: the name of its graphic type and that type's data.
struct StoredPicture {
    std::string typeName;
    std::span<const uint8_t> data; // borrowed from the stored bytes
};

// Splits one length byte and that many bytes of type name from the rest; nullopt when the name
// runs past the end.
std::optional<StoredPicture> SplitStoredPicture(std::span<const uint8_t> stored);

// A bitmap picture's stored data: a 4-byte little-endian length N and N bytes of bitmap file.
// N = 0 is an empty picture; bytes after the file image are not looked at.
BitmapReadResult ReadStoredBitmapData(std::span<const uint8_t> data);

} // namespace core
