// The alpha picture: its registry entry, the rebuild of a stored picture, and
// the blend over what a canvas already shows.
#include "TestSupport.h"

#include "controls/PNGGraphic.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GraphicRegistry.h"
#include "framework/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

using controls::TPNGGraphic;

std::span<const std::uint8_t> StoredAboutPicture() {
    HRSRC res = ::FindResourceW(nullptr, L"ABOUTPICTURE", MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!res)
        return {};
    HGLOBAL mem = ::LoadResource(nullptr, res);
    return {static_cast<const std::uint8_t*>(::LockResource(mem)), ::SizeofResource(nullptr, res)};
}

TPNGGraphic LoadAboutPicture() {
    const auto stored = StoredAboutPicture();
    EXPECT_EQ(stored.size(), 150570u);
    TPNGGraphic g;
    g.ReadStoredData(stored.subspan(12));
    return g;
}

std::uint8_t Blend(int p, int d, int a) {
    return static_cast<std::uint8_t>((p * a + d * (256 - a)) / 256);
}

// The colour the picture's pixel (x, y) shows over a target colour.
COLORREF Expected(const fw::Bitmap& pic, int x, int y, COLORREF under) {
    const std::uint8_t* p = pic.Row(y) + x * 4;
    return RGB(Blend(p[2], GetRValue(under), p[3]), Blend(p[1], GetGValue(under), p[3]),
               Blend(p[0], GetBValue(under), p[3]));
}

// A small 32-bit picture from (blue, green, red, alpha) pixels, one row.
TPNGGraphic Picture32(const std::vector<std::array<std::uint8_t, 4>>& px) {
    TPNGGraphic g;
    g.GetBitmap().Create(static_cast<int>(px.size()), 1, 32);
    for (size_t i = 0; i < px.size(); ++i)
        std::memcpy(g.GetBitmap().Row(0) + i * 4, px[i].data(), 4);
    return g;
}

// A stored picture: length byte, type name, then the given data.
std::vector<std::uint8_t> Stored(const std::string& name, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out(1 + name.size() + data.size());
    out[0] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), out.begin() + 1);
    std::copy(data.begin(), data.end(), out.begin() + 1 + static_cast<std::ptrdiff_t>(name.size()));
    return out;
}

// The launcher registers the type at start-up; these tests do the same.
struct PNGRegistration : ::testing::Environment {
    void SetUp() override { controls::RegisterPNGGraphic(); }
    void TearDown() override { controls::UnregisterPNGGraphic(); }
};
const auto* const registration = ::testing::AddGlobalTestEnvironment(new PNGRegistration);

struct DerivedPNG : TPNGGraphic {
    std::string TypeName() const override { return "TDerivedPNG"; }
};

TEST(GraphicRegistry, StoresExtensionsLowerCaseAndFindsTheNewestEntryFirst) {
    fw::GraphicRegistry r;
    r.Register<fw::BitmapGraphic>("BMP", L"Old bitmaps");
    r.Register<TPNGGraphic>("png", L"Portable Network Graphics");
    r.Register<fw::BitmapGraphic>("bmp", L"New bitmaps");
    ASSERT_EQ(r.Entries().size(), 3u);
    EXPECT_EQ(r.Entries()[0].extension, "bmp");
    EXPECT_EQ(r.Entries()[1].typeName, "TPNGGraphic");
    EXPECT_EQ(r.FindByTypeName("TBitmap")->description, L"New bitmaps");
    EXPECT_EQ(r.FindByExtension("BMP")->description, L"New bitmaps");
    EXPECT_EQ(r.FindByTypeName("tpnggraphic"), nullptr) << "type names match exactly";
    EXPECT_EQ(r.FindByTypeName("TPNG"), nullptr);
}

TEST(GraphicRegistry, RemovalTakesTheTypeAndEveryTypeDerivedFromIt) {
    fw::GraphicRegistry r;
    r.Register<fw::BitmapGraphic>("bmp", L"Bitmaps");
    r.Register<TPNGGraphic>("png", L"Portable Network Graphics");
    r.Register<DerivedPNG>("dpng", L"Derived");
    r.Unregister<TPNGGraphic>();
    ASSERT_EQ(r.Entries().size(), 1u);
    EXPECT_EQ(r.Entries()[0].typeName, "TBitmap");
    r.Unregister<fw::Graphic>();
    EXPECT_TRUE(r.Entries().empty());
}

TEST(GraphicRegistry, TheApplicationRegistryHoldsBitmapsAndTheAlphaPicture) {
    const auto& r = fw::GraphicRegistry::Instance();
    ASSERT_NE(r.FindByExtension("png"), nullptr);
    EXPECT_EQ(r.FindByExtension("png")->typeName, "TPNGGraphic");
    EXPECT_NE(r.FindByTypeName("TBitmap"), nullptr);
}

TEST(StoredPicture, TheAboutPictureRebuildsAsA32BitAlphaPictureWithAllAlphaLevels) {
    fw::Picture pic;
    fw::LoadStoredPicture(pic, StoredAboutPicture());
    auto* g = dynamic_cast<TPNGGraphic*>(pic.GetGraphic());
    ASSERT_NE(g, nullptr);
    const fw::Bitmap& b = g->GetBitmap();
    EXPECT_EQ(b.Width(), 175);
    EXPECT_EQ(b.Height(), 215);
    EXPECT_EQ(b.BitsPerPixel(), 32);
    std::array<int, 256> alphas{};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            ++alphas[b.Row(y)[x * 4 + 3]];
    EXPECT_GT(alphas[0], 10000);
    EXPECT_GT(alphas[255], 10000);
    for (int a = 0; a < 256; ++a)
        EXPECT_GT(alphas[a], 0) << "alpha " << a;
    // The two outer columns on each side are fully transparent.
    for (int y = 0; y < b.Height(); ++y)
        for (int x : {0, 1, 173, 174})
            ASSERT_EQ(b.Row(y)[x * 4 + 3], 0) << x << "," << y;
}

TEST(StoredPicture, LengthZeroGivesAnEmptyPictureAndAnUnknownTypeNoneAtAll) {
    const std::uint8_t zero[4] = {0, 0, 0, 0};
    fw::Picture pic;
    fw::LoadStoredPicture(pic, Stored("TPNGGraphic", zero));
    ASSERT_NE(dynamic_cast<TPNGGraphic*>(pic.GetGraphic()), nullptr);
    EXPECT_TRUE(pic.GetGraphic()->Empty());

    const auto about = StoredAboutPicture();
    fw::LoadStoredPicture(pic, Stored("TJPEGImage", about.subspan(12)));
    EXPECT_FALSE(pic.HasGraphic()) << "an unknown type leaves the picture empty, silently";
}

// Counts live instances, and fails to read on request.
struct CountingGraphic : fw::BitmapGraphic {
    static inline int alive = 0;
    CountingGraphic() { ++alive; }
    CountingGraphic(const CountingGraphic& o) : BitmapGraphic(o) { ++alive; }
    ~CountingGraphic() override { --alive; }
    std::string TypeName() const override { return "TCounting"; }
};

TEST(StoredPicture, DamagedDataFailsWithTheReadersMessageAndLeavesNothingBehind) {
    fw::GraphicRegistry r;
    r.Register<CountingGraphic>("cnt", L"Counting");
    std::vector<std::uint8_t> data(StoredAboutPicture().begin() + 12, StoredAboutPicture().end());
    fw::Picture pic;
    fw::LoadStoredPicture(pic, Stored("TCounting", data), r);
    ASSERT_TRUE(pic.HasGraphic()) << "a picture the failure must leave in place";
    EXPECT_EQ(CountingGraphic::alive, 1) << "the registry's sample graphics are not kept";
    data[4] = 'X'; // "XM" instead of "BM"

    const auto fails = [&](std::span<const std::uint8_t> stored, const std::string& message) {
        try {
            fw::LoadStoredPicture(pic, stored, r);
            ADD_FAILURE() << "no error for " << message;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
        EXPECT_EQ(CountingGraphic::alive, 1) << "the graphic under construction is freed";
        EXPECT_TRUE(pic.HasGraphic());
    };
    fails(Stored("TCounting", data), "Bitmap image is not valid");
    data[4] = 'B';
    fails(Stored("TCounting", std::span(data).first(100)), "Stream read error");
    const std::uint8_t nameTooLong[] = {20, 'T', 'P'};
    fails(nameTooLong, "Stream read error");
    fails({}, "Stream read error");
    data[4 + 28] = 7; // 7 bits per pixel
    fails(Stored("TCounting", data), "Bitmap with 7 bits per pixel is not valid");
}

// Reads a memory canvas's pixels back, 24 bits.
fw::Bitmap ReadBack(HDC dc, int w, int h) {
    fw::Bitmap out(w, h, 24);
    fw::BitmapCanvas c(out);
    ::BitBlt(c.Handle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
    return out;
}

TEST(DrawBlended, TheBlendRoundsDownWithDivisor256) {
    // (picture value, target value, alpha) per pixel; the same value in all channels.
    struct Case {
        std::uint8_t p, d, a, expected;
    };
    const std::vector<Case> cases = {
        {200, 37, 0, 37},   {255, 0, 255, 254},   {255, 255, 255, 255}, {0, 255, 255, 0},
        {255, 0, 128, 127}, {100, 255, 128, 177}, {255, 0, 1, 0},       {0, 255, 1, 254},
    };
    for (bool memoryCanvas : {false, true}) {
        const int n = static_cast<int>(cases.size());
        std::vector<std::array<std::uint8_t, 4>> px;
        for (const Case& c : cases)
            px.push_back({c.p, c.p, c.p, c.a});
        const TPNGGraphic pic = Picture32(px);
        fw::Bitmap target(n, 1, 24);
        for (int i = 0; i < n; ++i)
            target.SetPixel(i, 0, RGB(cases[i].d, cases[i].d, cases[i].d));
        fw::Bitmap result;
        if (memoryCanvas) {
            fw::MemoryCanvas mem(n, 1);
            mem.Draw(0, 0, target);
            pic.DrawBlended(mem, RECT{0, 0, n, 1});
            result = ReadBack(mem.Handle(), n, 1);
        } else {
            fw::BitmapCanvas canvas(target);
            pic.DrawBlended(canvas, RECT{0, 0, n, 1});
            ::GdiFlush();
            result = target;
        }
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(result.Pixel(i, 0), RGB(cases[i].expected, cases[i].expected, cases[i].expected))
                << "case " << i << (memoryCanvas ? " on a memory canvas" : " on a bitmap");
    }
}

TEST(DrawBlended, TheAboutPictureOverWhiteMatchesTheFormulaEveryPixel) {
    const TPNGGraphic pic = LoadAboutPicture();
    const fw::Bitmap& b = pic.GetBitmap();
    fw::MemoryCanvas mem(200, 240);
    mem.FillRect(RECT{0, 0, 200, 240}, fw::clWhite);
    pic.DrawBlended(mem, RECT{10, 12, 185, 227});
    const fw::Bitmap out = ReadBack(mem.Handle(), 200, 240);
    int mismatches = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool inside = x >= 10 && x < 185 && y >= 12 && y < 227;
            const COLORREF want =
                inside ? Expected(b, x - 10, y - 12, RGB(255, 255, 255)) : RGB(255, 255, 255);
            mismatches += out.Pixel(x, y) != want;
        }
    EXPECT_EQ(mismatches, 0);
}

TEST(DrawBlended, DrawingTwiceBlendsOverTheFirstResult) {
    const TPNGGraphic pic = Picture32({{0, 0, 0, 128}, {0, 0, 0, 255}, {0, 0, 0, 0}});
    fw::Bitmap target(3, 1, 24);
    target.Fill(RGB(255, 255, 255));
    fw::BitmapCanvas canvas(target);
    pic.DrawBlended(canvas, RECT{0, 0, 3, 1});
    ::GdiFlush();
    EXPECT_EQ(target.Pixel(0, 0), RGB(127, 127, 127));
    pic.DrawBlended(canvas, RECT{0, 0, 3, 1});
    ::GdiFlush();
    EXPECT_EQ(target.Pixel(0, 0), RGB(63, 63, 63)) << "stronger the second time";
    EXPECT_EQ(target.Pixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(target.Pixel(2, 0), RGB(255, 255, 255));
}

TEST(DrawBlended, TheCanvasClipDecidesWhichPixelsChange) {
    const TPNGGraphic pic = Picture32({{0, 0, 0, 255}, {0, 0, 0, 255}, {0, 0, 0, 255}, {0, 0, 0, 255}});
    fw::Bitmap target(4, 1, 24);
    target.Fill(RGB(255, 255, 255));
    fw::BitmapCanvas canvas(target);
    ::IntersectClipRect(canvas.Handle(), 1, 0, 3, 1);
    pic.DrawBlended(canvas, RECT{0, 0, 4, 1});
    ::GdiFlush();
    EXPECT_EQ(target.Pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(target.Pixel(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(target.Pixel(2, 0), RGB(0, 0, 0));
    EXPECT_EQ(target.Pixel(3, 0), RGB(255, 255, 255));
}

TEST(DrawBlended, ARectangleOfAnotherSizeCopiesThePixelsBackUnblended) {
    const TPNGGraphic pic = Picture32({{0, 0, 0, 255}, {0, 0, 0, 255}});
    fw::Bitmap target(4, 1, 24);
    target.Fill(RGB(10, 20, 30));
    fw::BitmapCanvas canvas(target);
    pic.DrawBlended(canvas, RECT{0, 0, 4, 1});
    ::GdiFlush();
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(target.Pixel(x, 0), RGB(10, 20, 30));
}

TEST(DrawBlended, APictureOf24BitsIsDrawnAsAnOrdinaryStretchedBitmap) {
    TPNGGraphic pic;
    pic.GetBitmap().Create(2, 1, 24);
    pic.GetBitmap().SetPixel(0, 0, RGB(200, 0, 0));
    pic.GetBitmap().SetPixel(1, 0, RGB(0, 0, 200));
    fw::Bitmap target(4, 2, 24);
    target.Fill(RGB(255, 255, 255));
    fw::BitmapCanvas canvas(target);
    pic.Draw(canvas, RECT{0, 0, 4, 2});
    ::GdiFlush();
    EXPECT_EQ(target.Pixel(0, 0), RGB(200, 0, 0));
    EXPECT_EQ(target.Pixel(1, 1), RGB(200, 0, 0));
    EXPECT_EQ(target.Pixel(2, 0), RGB(0, 0, 200));
    EXPECT_EQ(target.Pixel(3, 1), RGB(0, 0, 200));
}

TEST(DrawBlended, OnAWindowTheImageControlBlendsOverWhatItsParentPainted) {
    fw::Form form;
    form.SetBorderStyle(fw::BorderStyle::Single);
    form.SetClientWidth(220);
    form.SetClientHeight(260);
    form.SetColor(fw::clWhite);
    auto& image = form.Create<fw::Image>();
    image.SetBounds(20, 10, 171, 238);
    image.SetCenter(true);
    fw::LoadStoredPicture(image.GetPicture(), StoredAboutPicture());
    EXPECT_EQ(image.DestRect().left, -2);
    EXPECT_EQ(image.DestRect().top, 11);
    form.Show();
    testing_support::PumpIdle();
    ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testing_support::PumpFor(100);

    POINT origin{20, 10};
    ::ClientToScreen(form.Handle(), &origin);
    const fw::Bitmap screen =
        testing_support::CaptureScreen({origin.x, origin.y, origin.x + 171, origin.y + 238});
    const fw::Bitmap& b = static_cast<TPNGGraphic*>(image.GetPicture().GetGraphic())->GetBitmap();
    int mismatches = 0;
    for (int y = 0; y < 238; ++y)
        for (int x = 0; x < 171; ++x) {
            const int px = x + 2, py = y - 11;
            const bool inside = py >= 0 && py < 215;
            const COLORREF want = inside ? Expected(b, px, py, RGB(255, 255, 255)) : RGB(255, 255, 255);
            mismatches += screen.Pixel(x, y) != want;
        }
    EXPECT_EQ(mismatches, 0);
}

} // namespace
