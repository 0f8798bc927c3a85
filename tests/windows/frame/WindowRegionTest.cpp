// SetWindowRegionFromBitmap by itself: the shape it builds from a picture's
// runs, and that the region it makes is never leaked, also when the window
// refuses it.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "controls/SkinForm.h"

#include <gtest/gtest.h>

using namespace frame_tests;
using controls::SetWindowRegionFromBitmap;

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kOpaque = RGB(40, 80, 120);

// A plain popup window of our own, outside the component layer.
HWND MakePopup() {
    return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 10, 50, 50, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

TEST(WindowRegionFromBitmap, RunsSplitAtTransparentPixelsAndNeverTakeTheLastColumn) {
    fw::UniqueWindow wnd(MakePopup());
    ASSERT_TRUE(wnd);
    // Row 0: opaque throughout. Row 1: transparent throughout. Row 2: split by a
    // transparent column at x = 3. Row 3: lone opaque pixels between transparent ones.
    // Row 4: opaque only in the last column.
    fw::Bitmap b = SolidGlyph(8, 5, kOpaque);
    for (int x = 0; x < 8; ++x) {
        b.SetPixel(x, 1, kKey);
        b.SetPixel(x, 3, x % 2 ? kOpaque : kKey);
        b.SetPixel(x, 4, x == 7 ? kOpaque : kKey);
    }
    b.SetPixel(3, 2, kKey);
    SetWindowRegionFromBitmap(wnd.get(), b, fw::clFuchsia);
    const std::vector<Span> want{{0, 0, 6}, {2, 0, 2}, {2, 4, 6}, {3, 1, 1}, {3, 3, 3}, {3, 5, 5}};
    EXPECT_EQ(PixelSetDifference(WindowRegionPixels(wnd.get(), 10, 7), SpanPixels(want, 10, 7), 10), "");
}

TEST(WindowRegionFromBitmap, ReplacesThePreviousShape) {
    fw::UniqueWindow wnd(MakePopup());
    fw::Bitmap wide = SolidGlyph(30, 4, kOpaque);
    SetWindowRegionFromBitmap(wnd.get(), wide, fw::clFuchsia);
    fw::Bitmap small = SolidGlyph(5, 2, kOpaque);
    SetWindowRegionFromBitmap(wnd.get(), small, fw::clFuchsia);
    EXPECT_EQ(PixelSetDifference(WindowRegionPixels(wnd.get(), 32, 6), RectPixels({0, 0, 4, 2}, 32, 6), 32),
              "");
}

TEST(WindowRegionFromBitmap, RegionGoesToTheWindowOnSuccessAndAllOthersAreFreed) {
    fw::UniqueWindow wnd(MakePopup());
    fw::Bitmap b = PatternGlyph(20, 6);
    b.SetPixel(5, 2, kKey);
    RegionWatch watch;
    ASSERT_TRUE(watch.Installed());
    SetWindowRegionFromBitmap(wnd.get(), b, fw::clFuchsia);
    ASSERT_FALSE(watch.created.empty()) << "the watch sees the regions made";
    ASSERT_EQ(watch.setWindowRgn.size(), 1u);
    EXPECT_NE(watch.setWindowRgn[0].result, 0);
    EXPECT_EQ(watch.deleted.count(watch.setWindowRgn[0].rgn), 0u) << "the window owns the region now";
    EXPECT_TRUE(watch.live.empty()) << watch.live.size() << " regions leaked";
}

TEST(WindowRegionFromBitmap, RegionIsFreedWhenTheWindowRefusesIt) {
    fw::Bitmap b = PatternGlyph(20, 6);
    b.SetPixel(5, 2, kKey);
    HWND gone = fw::UniqueWindow(MakePopup()).get(); // destroyed at once
    for (HWND wnd : {gone, static_cast<HWND>(nullptr)}) {
        RegionWatch watch;
        ASSERT_TRUE(watch.Installed());
        SetWindowRegionFromBitmap(wnd, b, fw::clFuchsia);
        ASSERT_FALSE(watch.created.empty());
        ASSERT_EQ(watch.setWindowRgn.size(), 1u);
        EXPECT_EQ(watch.setWindowRgn[0].result, 0) << "the window does not exist";
        EXPECT_TRUE(watch.live.empty()) << watch.live.size() << " regions leaked";
        // The handle that was offered is gone, not merely forgotten.
        EXPECT_EQ(::GetRegionData(watch.setWindowRgn[0].rgn, 0, nullptr), 0u);
    }
    // An empty picture makes an empty region, and frees it just the same.
    fw::Bitmap empty;
    empty.Create(0, 5);
    RegionWatch watch;
    SetWindowRegionFromBitmap(gone, empty, fw::clFuchsia);
    EXPECT_EQ(watch.created.size(), 1u);
    EXPECT_TRUE(watch.live.empty());
}
