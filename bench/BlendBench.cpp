// The alpha blend over the About picture (175 x 215, 32 bits per pixel) onto
// a 24-bit working bitmap of the same size, against a plain row copy of the
// same pixels: the least a draw of that rectangle costs. Target: the blend
// within 4x of the copy. Runs natively (host) and under Wine.
//
//   bench_blend [runs]
#include "Timing.h"

#include "core/AlphaBlend.h"
#include "core/StoredPicture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <variant>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::vector<uint8_t> StoredAboutPicture() {
#ifdef _WIN32
    HRSRC res = ::FindResourceW(nullptr, L"ABOUTPICTURE", MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!res)
        return {};
    const auto* p = static_cast<const uint8_t*>(::LockResource(::LoadResource(nullptr, res)));
    return {p, p + ::SizeofResource(nullptr, res)};
#else
    std::ifstream f(ORVALIS_ABOUT_PICTURE, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
#endif
}

void Print(const char* name, const bench::Figures& f) {
    std::printf("  %-40s median %8.2f us   min %8.2f us\n", name, f.medianUs, f.minUs);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 61;
    const std::vector<uint8_t> stored = StoredAboutPicture();
    const auto split = core::SplitStoredPicture(stored);
    if (!split) {
        std::fprintf(stderr, "bench_blend: no About picture\n");
        return 1;
    }
    core::BitmapReadResult read = core::ReadStoredBitmapData(split->data);
    auto* picture = std::get_if<core::DecodedBitmap>(&read);
    if (!picture || picture->bitsPerPixel != 32) {
        std::fprintf(stderr, "bench_blend: the About picture is not a 32-bit bitmap\n");
        return 1;
    }
    const int w = picture->width, h = picture->height;
    // The working bitmap as a DIB section lays it out: 24 bits, rows padded to 4 bytes.
    const ptrdiff_t stride = (static_cast<ptrdiff_t>(w) * 3 + 3) & ~ptrdiff_t{3};
    std::vector<uint8_t> background(static_cast<size_t>(stride) * h, 0xFF), work(background.size());
    core::MutableImageView target{work.data(), w, h, stride, 3};

    // The blend's arithmetic does not depend on the values, so blending over
    // its own result again costs what the first blend over white does.
    const auto copy = bench::Measure(runs, 200, [&] {
        for (int y = 0; y < h; ++y)
            std::memcpy(work.data() + y * stride, background.data() + y * stride, static_cast<size_t>(w) * 3);
    });
    const auto blend = bench::Measure(runs, 200, [&] { core::BlendBitmap32(target, picture->View()); });
    std::printf("bench_blend: %d x %d picture, %d runs\n", w, h, runs);
    Print("plain copy of the rows", copy);
    Print("BlendBitmap32", blend);
    const double ratio = blend.medianUs / copy.medianUs;
    std::printf("  blend / copy (medians): %.2fx; target within 4x: %s\n", ratio,
                ratio <= 4.0 ? "met" : "NOT met");
    // Keeps the result alive.
    return work[static_cast<size_t>(stride) * (h / 2) + 3 * (w / 2)] == 0x5A ? 2 : 0;
}
