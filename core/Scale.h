// Display scaling: the one rule by which every length of the launcher and the About dialog,
// and of their artwork, follows the display's dots per inch, and the scales whose artwork is
// stored in the program.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace core {

// Lengths are designed at 96 dpi (100%).
inline constexpr int kDesignDpi = 96;

// The scales drawn and stored: 100, 125, 150, 175, 200, 250 and 300 percent. A display
// between two of them uses the next larger one, reduced.
inline constexpr int kStoredDpis[] = {96, 120, 144, 168, 192, 240, 288};

// length * dpi / 96 rounded to the nearest integer, halves away from zero, exactly as
// MulDiv(length, dpi, 96): 444 at 150% is 666, -11 at 150% is -17. A result outside the
// 32-bit range gives -1, as MulDiv does.
constexpr int ScaleLength(int length, int dpi) noexcept {
    const std::int64_t product = static_cast<std::int64_t>(length) * dpi;
    const std::int64_t half = kDesignDpi / 2;
    const std::int64_t result =
        product < 0 ? -((-product + half) / kDesignDpi) : (product + half) / kDesignDpi;
    if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max()) {
        return -1;
    }
    return static_cast<int>(result);
}

// The scale in percent, 150 for 144 dpi.
constexpr int ScalePercent(int dpi) noexcept {
    return dpi * 100 / kDesignDpi;
}

// The resource name of a picture stored at that scale: the 100% name unchanged ("SKIN"),
// other scales with their percent added ("SKIN_150").
std::string ScaledResourceName(const std::string& name, int dpi);

} // namespace core
