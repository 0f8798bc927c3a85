#include "SkinUIStyle.h"

#include <algorithm>
#include <array>

namespace controls {

const fw::Bitmap& BuiltInButtonStrip(TSkinUIStyle style) {
    static const wchar_t* const kNames[] = {nullptr,        L"SILVER_BUTTON", L"CLASSIC_BUTTON",
                                            L"NAVY_BUTTON", L"AMBER_BUTTON",  L"GLASS_BUTTON"};
    // Loaded once per style: the strips never change while the program runs.
    static std::array<fw::Bitmap, 6> strips;
    static std::array<bool, 6> tried{};
    const auto i = static_cast<size_t>(style);
    if (i >= strips.size())
        return strips[0];
    if (!tried[i] && kNames[i]) {
        tried[i] = true;
        if (!strips[i].LoadFromResource(::GetModuleHandleW(nullptr), kNames[i]))
            strips[i].Clear();
    }
    return strips[i];
}

fw::Bitmap StripFrame(const fw::Bitmap& strip, int k, int n) {
    fw::Bitmap frame;
    if (strip.Empty() || n <= 0 || k < 1 || k > n)
        return frame;
    const int w = strip.Width() / n;
    if (w == 0)
        return frame;
    const int x0 = k == n ? strip.Width() - w : (k - 1) * w;
    frame.Create(w, strip.Height(), strip.BitsPerPixel());
    const int bytes = strip.BitsPerPixel() / 8;
    for (int y = 0; y < strip.Height(); ++y)
        std::copy_n(strip.Row(y) + x0 * bytes, w * bytes, frame.Row(y));
    return frame;
}

} // namespace controls
