#include "StoredPicture.h"

#include "ByteReader.h"

namespace core {

std::optional<StoredPicture> SplitStoredPicture(std::span<const uint8_t> stored) {
    if (stored.empty() || stored.size() - 1 < stored[0]) {
        return std::nullopt;
    }
    const size_t nameLength = stored[0];
    const auto name = stored.subspan(1, nameLength);
    return StoredPicture{std::string(name.begin(), name.end()), stored.subspan(1 + nameLength)};
}

BitmapReadResult ReadStoredBitmapData(std::span<const uint8_t> data) {
    if (data.size() < 4) {
        return BitmapReadError{BitmapError::StreamRead, "Stream read error"};
    }
    const uint32_t length = ReadU32(data, 0);
    if (length == 0) {
        return EmptyPicture{};
    }
    if (length > data.size() - 4) {
        return BitmapReadError{BitmapError::StreamRead, "Stream read error"};
    }
    return ReadBitmapFile(data.subspan(4, length));
}

} // namespace core
