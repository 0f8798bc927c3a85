// Building the launcher's window region from its skin, three ways:
//   (a) literal: GetPixel per pixel, one CreateRectRgn + CombineRgn per run,
//   (b) limit:   a plain scan of the rows for runs, plus one ExtCreateRegion,
//   (c) ours:    controls::CreateRegionFromBitmap, as SetWindowRegionFromBitmap uses it.
// Checks that all three cover the same pixels (on the skin and small probes), then prints median and minimum
// times and whether ours is at least 10x faster than (a) and within 3x of (b).
//
// Then the same region at 200% from the SKIN_200 picture, against ours at 100%: within
// 4.5x (four times the pixels).
//
//   bench_region [runs]
#include "RegionBuilders.h"
#include "ShapeCheck.h"
#include "Timing.h"

#include "controls/SkinForm.h"
#include "framework/PngResource.h"

#include <objbase.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr COLORREF kFuchsia = 0xFF00FF;

void Print(const char* name, const bench::Figures& f) {
    std::printf("  %-44s median %10.1f us   min %10.1f us\n", name, f.medianUs, f.minUs);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 31;

    fw::Bitmap skin;
    if (!skin.LoadFromResource(::GetModuleHandleW(nullptr), L"SKIN") || skin.Empty()) {
        std::printf("FAIL: the SKIN bitmap resource could not be loaded\n");
        return 1;
    }
    std::printf("region of the SKIN bitmap, %d x %d, %d bpp, transparent 0x%06lX; %d runs each\n",
                skin.Width(), skin.Height(), skin.BitsPerPixel(), kFuchsia, runs);
    if (!bench::CheckShapes(skin, kFuchsia))
        return 1;

    const bench::Figures literal = bench::Measure(runs, 1, [&] { bench::LiteralRegion(skin, kFuchsia); });
    const bench::Figures plain =
        bench::Measure(runs, 20, [&] { bench::RegionFromRects(bench::PlainScanRuns(skin, kFuchsia)); });
    const bench::Figures ours =
        bench::Measure(runs, 20, [&] { controls::CreateRegionFromBitmap(skin, kFuchsia); });

    // The two halves of (b), to show where the time goes.
    const std::vector<RECT> rects = bench::PlainScanRuns(skin, kFuchsia);
    const bench::Figures scanOnly = bench::Measure(runs, 20, [&] { bench::PlainScanRuns(skin, kFuchsia); });
    const bench::Figures createOnly = bench::Measure(runs, 20, [&] { bench::RegionFromRects(rects); });

    // What the launcher pays in all when it applies the skin: ours plus
    // SetWindowRgn on a window of its own (hidden here).
    fw::UniqueWindow wnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, skin.Width(), skin.Height(),
                                           nullptr, nullptr, nullptr, nullptr));
    const bench::Figures withWindow =
        bench::Measure(runs, 5, [&] { controls::SetWindowRegionFromBitmap(wnd.get(), skin, kFuchsia); });

    Print("(a) literal: GetPixel + CombineRgn per run", literal);
    Print("(b) plain scan + one ExtCreateRegion", plain);
    Print("    (b) scan only", scanOnly);
    Print("    (b) ExtCreateRegion only", createOnly);
    Print("(c) ours: CreateRegionFromBitmap", ours);
    Print("    ours + SetWindowRgn (hidden window)", withWindow);

    const double speedup = literal.medianUs / ours.medianUs;
    const double overLimit = ours.medianUs / plain.medianUs;
    std::printf("ours vs (a): %.1fx faster (target >= 10x): %s\n", speedup,
                speedup >= 10 ? "met" : "NOT met");
    std::printf("ours vs (b): %.2fx its time (target <= 3x): %s\n", overLimit,
                overLimit <= 3 ? "met" : "NOT met");

    // The skin at 200%, decoded as the launcher decodes it.
    const bool com = SUCCEEDED(::CoInitialize(nullptr));
    fw::Bitmap skin200;
    if (!fw::LoadPngResource(skin200, ::GetModuleHandleW(nullptr), L"SKIN_200")) {
        std::printf("FAIL: the SKIN_200 picture could not be decoded\n");
        return 1;
    }
    if (com)
        ::CoUninitialize();
    const bench::Figures ours200 =
        bench::Measure(runs, 10, [&] { controls::CreateRegionFromBitmap(skin200, kFuchsia); });
    Print("(c) ours at 200% (SKIN_200)", ours200);
    const double perScale = ours200.medianUs / ours.medianUs;
    std::printf("ours at 200%% vs 100%%: %.2fx (%d x %d, target <= 4.5x): %s\n", perScale, skin200.Width(),
                skin200.Height(), perScale <= 4.5 ? "met" : "NOT met");
    return 0;
}
