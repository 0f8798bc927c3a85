#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace core {

// Little-endian fields of untrusted data; callers check the offset against the size first.
inline uint16_t ReadU16(std::span<const uint8_t> data, size_t at) {
    return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}

inline uint32_t ReadU32(std::span<const uint8_t> data, size_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

inline int32_t ReadI32(std::span<const uint8_t> data, size_t at) {
    return static_cast<int32_t>(ReadU32(data, at));
}

} // namespace core
