// The skin control on synthetic pictures: what construction sets up, when the
// skin is applied (and when not), the shape, size and position it gives the
// form, the order of its events, and what it paints.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "controls/SkinForm.h"
#include "framework/Application.h"

#include <gtest/gtest.h>

#include <memory>

using namespace frame_tests;
using controls::TSkinForm;
using testing_support::PumpFor;

namespace {

constexpr COLORREF kFuchsia = RGB(255, 0, 255);
constexpr COLORREF kFace = RGB(10, 120, 200);
constexpr COLORREF kFormColor = RGB(0, 255, 0);

class SkinOnForm : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<HookedForm>();
        form_->SetBounds(100, 100, 300, 200);
        form_->SetColor(kFormColor);
        skin_ = &form_->Create<TSkinForm>();
        skin_->OnRegionChanged = [this](fw::Control&) { ++regionChanged_; };
    }
    void TearDown() override {
        form_.reset();
        PumpFor(10);
    }
    HWND Wnd() { return form_->Handle(); }
    std::vector<bool> Shape(int w, int h) { return WindowRegionPixels(Wnd(), w, h); }
    // Paints the form through its WM_PAINT-with-DC path into a fresh surface.
    std::unique_ptr<DibSurface> PaintForm(int w, int h) {
        auto s = std::make_unique<DibSurface>(w, h, RGB(1, 2, 3));
        ::SendMessageW(Wnd(), WM_PAINT, reinterpret_cast<WPARAM>(s->dc()), 0);
        return s;
    }

    std::unique_ptr<HookedForm> form_;
    TSkinForm* skin_ = nullptr;
    int regionChanged_ = 0;
};

} // namespace

TEST_F(SkinOnForm, ConstructionMakesTheFormBorderlessWithAnEmptyFuchsiaGlyphAndLeavesItsShape) {
    // A form whose window exists before the skin arrives.
    HookedForm form;
    form.SetBounds(50, 50, 300, 200);
    HWND wnd = form.Handle();
    ASSERT_TRUE(::GetWindowLongW(wnd, GWL_STYLE) & WS_CAPTION);
    auto& skin = form.Create<TSkinForm>();
    EXPECT_EQ(skin.OwnerForm(), &form);
    EXPECT_EQ(form.GetBorderStyle(), fw::BorderStyle::None);
    const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_FALSE(skin.Glyph().HasImage());
    EXPECT_EQ(skin.TransparentColor(), 0xFF00FFu);
    EXPECT_EQ(skin.Left(), 0);
    EXPECT_EQ(skin.Top(), 0);
    EXPECT_EQ(skin.Width(), 200);
    EXPECT_EQ(skin.Height(), 100);
    EXPECT_EQ(WindowRegionType(wnd), ERROR) << "no shape before a picture is assigned";

    // A form without a window keeps it that way.
    EXPECT_FALSE(form_->HandleAllocated());
    EXPECT_EQ(form_->GetBorderStyle(), fw::BorderStyle::None);
    EXPECT_EQ(regionChanged_, 0);
}

TEST(SkinWithoutForm, SetsNothingUpAndSurvivesAssignmentsPaintsAndPresses) {
    fw::Bitmap glyph = SolidGlyph(20, 10, kFace);
    HookedForm form;
    form.SetBounds(50, 50, 300, 200);
    auto& panel = form.Create<fw::WinControl>();
    panel.SetBounds(0, 0, 100, 100);
    HWND wnd = form.Handle();
    const SIZE client = ClientSizeOf(wnd);

    TSkinForm orphan(nullptr);
    auto& onPanel = panel.Create<TSkinForm>();
    for (TSkinForm* skin : {&orphan, &onPanel}) {
        EXPECT_EQ(skin->OwnerForm(), nullptr);
        EXPECT_FALSE(skin->Glyph().HasImage());
        EXPECT_EQ(skin->Width(), 0);
        EXPECT_EQ(skin->Height(), 0);
        int events = 0;
        skin->OnRegionChanged = [&](fw::Control&) { ++events; };
        skin->SetGlyph(&glyph);
        skin->SetTransparentColor(kFace);
        skin->SetGlyph(nullptr);
        skin->SetGlyph(&glyph);
        fw::MemoryCanvas canvas(30, 30);
        skin->Paint(canvas);
        skin->MouseDown(fw::MouseButton::Left, 0, 1, 1);
        skin->MouseDown(fw::MouseButton::Right, 0, 1, 1);
        EXPECT_EQ(events, 0);
        EXPECT_EQ(skin->Width(), 0);
    }
    EXPECT_EQ(WindowRegionType(wnd), ERROR);
    EXPECT_EQ(form.GetBorderStyle(), fw::BorderStyle::Sizeable);
    const SIZE after = ClientSizeOf(wnd);
    EXPECT_EQ(after.cx, client.cx);
    EXPECT_EQ(after.cy, client.cy);
}

TEST_F(SkinOnForm, GlyphAssignmentCopiesThePicture) {
    fw::Bitmap mine = SolidGlyph(20, 10, kFace);
    skin_->SetGlyph(&mine);
    EXPECT_NE(skin_->Glyph().Handle(), mine.Handle());
    mine.Fill(kFuchsia);
    mine.Create(5, 5);
    EXPECT_EQ(skin_->Glyph().Width(), 20);
    EXPECT_EQ(skin_->Glyph().Height(), 10);
    EXPECT_EQ(skin_->Glyph().Pixel(3, 3), kFace);
    skin_->SetTransparentColor(fw::clFuchsia);
    EXPECT_EQ(PixelSetDifference(Shape(22, 12), RectPixels({0, 0, 19, 10}, 22, 12), 22), "");
}

TEST_F(SkinOnForm, ChangingTheGlyphInPlaceAppliesNothingUntilTheNextAssignment) {
    fw::Bitmap first = SolidGlyph(40, 30, kFace);
    skin_->SetGlyph(&first);
    ASSERT_EQ(regionChanged_, 1);
    const std::vector<bool> before = Shape(70, 60);

    fw::Bitmap& glyph = skin_->Glyph();
    glyph.Create(60, 50);
    glyph.Fill(kFace);
    for (int y = 0; y < 50; ++y)
        glyph.SetPixel(10, y, kFuchsia); // a transparent column splits every row
    EXPECT_EQ(PixelSetDifference(Shape(70, 60), before, 70), "");
    EXPECT_EQ(skin_->Width(), 40);
    EXPECT_EQ(skin_->Height(), 30);
    EXPECT_EQ(ClientSizeOf(Wnd()).cx, 40);
    EXPECT_EQ(regionChanged_, 1);

    skin_->SetTransparentColor(skin_->TransparentColor());
    std::vector<Span> want;
    for (int y = 0; y < 50; ++y) {
        want.push_back({y, 0, 9});
        want.push_back({y, 11, 58});
    }
    EXPECT_EQ(PixelSetDifference(Shape(70, 60), SpanPixels(want, 70, 60), 70), "");
    EXPECT_EQ(skin_->Width(), 60);
    EXPECT_EQ(skin_->Height(), 50);
    EXPECT_EQ(regionChanged_, 2);
}

TEST_F(SkinOnForm, AssigningTheSameTransparentColorAgainRebuildsResizesMovesAndNotifies) {
    fw::Bitmap glyph = SolidGlyph(40, 30, kFace);
    skin_->SetGlyph(&glyph);
    ASSERT_EQ(regionChanged_, 1);
    // Undo everything the skin did.
    ::SetWindowRgn(Wnd(), nullptr, TRUE);
    skin_->SetBounds(5, 6, 10, 10);
    form_->SetClientWidth(100);
    form_->SetClientHeight(90);
    ASSERT_EQ(WindowRegionType(Wnd()), ERROR);

    skin_->SetTransparentColor(skin_->TransparentColor());
    EXPECT_EQ(PixelSetDifference(Shape(50, 40), RectPixels({0, 0, 39, 30}, 50, 40), 50), "");
    EXPECT_EQ(skin_->Left(), 0);
    EXPECT_EQ(skin_->Top(), 0);
    EXPECT_EQ(skin_->Width(), 40);
    EXPECT_EQ(skin_->Height(), 30);
    const SIZE client = ClientSizeOf(Wnd());
    EXPECT_EQ(client.cx, 40);
    EXPECT_EQ(client.cy, 30);
    EXPECT_EQ(regionChanged_, 2);
}

TEST_F(SkinOnForm, RegionChangedFiresOnceTheShapeAndTheClientSizeAreSet) {
    SIZE inHandler{};
    RECT boundsInHandler{};
    int shapeInHandler = ERROR;
    skin_->OnRegionChanged = [&](fw::Control& sender) {
        EXPECT_EQ(&sender, skin_);
        inHandler = ClientSizeOf(Wnd());
        boundsInHandler = skin_->BoundsRect();
        shapeInHandler = WindowRegionType(Wnd());
        ++regionChanged_;
    };
    Wnd();
    fw::Bitmap glyph = SolidGlyph(123, 77, kFace);
    skin_->SetGlyph(&glyph);
    EXPECT_EQ(regionChanged_, 1);
    EXPECT_EQ(inHandler.cx, 123);
    EXPECT_EQ(inHandler.cy, 77);
    const RECT want{0, 0, 123, 77};
    EXPECT_TRUE(::EqualRect(&boundsInHandler, &want));
    EXPECT_NE(shapeInHandler, ERROR);
}

TEST_F(SkinOnForm, PaintDrawsEveryGlyphPixelBeforeOnPaint) {
    fw::Bitmap glyph = PatternGlyph(60, 40);
    glyph.SetPixel(0, 0, kFuchsia); // cut away from the shape, painted all the same
    glyph.SetPixel(59, 39, kFuchsia);
    skin_->SetGlyph(&glyph);
    std::unique_ptr<DibSurface> surface;
    int wrongInHandler = -1, paints = 0;
    skin_->OnPaint = [&](fw::Control& sender) {
        EXPECT_EQ(&sender, skin_);
        ++paints;
        if (!surface)
            return; // a paint of the window itself
        wrongInHandler = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                wrongInHandler += surface->Pixel(x, y) != glyph.Pixel(x, y);
    };
    surface = std::make_unique<DibSurface>(60, 40, RGB(1, 2, 3));
    paints = 0;
    ::SendMessageW(Wnd(), WM_PAINT, reinterpret_cast<WPARAM>(surface->dc()), 0);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(wrongInHandler, 0) << "the glyph is drawn before OnPaint runs";
    EXPECT_EQ(surface->Pixel(0, 0), kFuchsia);
    EXPECT_EQ(surface->Pixel(59, 39), kFuchsia);
}

TEST_F(SkinOnForm, NullGlyphKeepsShapeAndSizeFiresNothingAndPaintsABlackFrame) {
    fw::Bitmap glyph = SolidGlyph(40, 30, kFace);
    skin_->SetGlyph(&glyph);
    const std::vector<bool> shape = Shape(50, 40);
    skin_->SetGlyph(nullptr);
    EXPECT_FALSE(skin_->Glyph().HasImage());
    EXPECT_EQ(PixelSetDifference(Shape(50, 40), shape, 50), "");
    EXPECT_EQ(skin_->Width(), 40);
    EXPECT_EQ(skin_->Height(), 30);
    EXPECT_EQ(ClientSizeOf(Wnd()).cx, 40);
    EXPECT_EQ(regionChanged_, 1);

    auto s = PaintForm(50, 40);
    for (POINT p : {POINT{0, 0}, POINT{39, 0}, POINT{0, 29}, POINT{39, 29}, POINT{20, 0}, POINT{0, 15},
                    POINT{39, 15}, POINT{20, 29}})
        EXPECT_EQ(s->Pixel(p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
    EXPECT_EQ(s->Pixel(1, 1), kFormColor) << "the inside is left as it was";
    EXPECT_EQ(s->Pixel(20, 15), kFormColor);
    EXPECT_EQ(s->Pixel(38, 28), kFormColor);
}

TEST_F(SkinOnForm, ZeroSizedGlyphGivesAnEmptyShapeButStillPlacesTheControlAndSetsTheClientSize) {
    for (SIZE size : {SIZE{0, 20}, SIZE{20, 0}}) {
        skin_->SetBounds(7, 8, 30, 20);
        form_->SetClientWidth(250);
        form_->SetClientHeight(150);
        const int events = regionChanged_;
        fw::Bitmap zero;
        zero.Create(size.cx, size.cy);
        ASSERT_TRUE(zero.HasImage());
        skin_->SetGlyph(&zero);
        EXPECT_EQ(WindowRegionType(Wnd()), NULLREGION) << "an empty shape: nothing shows, no input";
        EXPECT_EQ(skin_->Left(), 0);
        EXPECT_EQ(skin_->Top(), 0);
        EXPECT_EQ(skin_->Width(), 30) << "keeps its size";
        EXPECT_EQ(skin_->Height(), 20);
        const SIZE client = ClientSizeOf(Wnd());
        EXPECT_EQ(client.cx, 30);
        EXPECT_EQ(client.cy, 20);
        EXPECT_EQ(regionChanged_, events + 1);
    }
    // Nothing to draw: the frame.
    auto s = PaintForm(40, 30);
    EXPECT_EQ(s->Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(s->Pixel(29, 19), RGB(0, 0, 0));
    EXPECT_EQ(s->Pixel(10, 10), kFormColor);
}

TEST_F(SkinOnForm, OnePixelWideAndAllTransparentGlyphsGiveAnEmptyShape) {
    fw::Bitmap narrow = SolidGlyph(1, 10, kFace);
    skin_->SetGlyph(&narrow);
    EXPECT_EQ(WindowRegionType(Wnd()), NULLREGION) << "the only column is the last one";
    EXPECT_EQ(skin_->Width(), 1);
    EXPECT_EQ(skin_->Height(), 10);

    fw::Bitmap clear = SolidGlyph(10, 10, kFuchsia);
    skin_->SetGlyph(&clear);
    EXPECT_EQ(WindowRegionType(Wnd()), NULLREGION);
    EXPECT_EQ(skin_->Width(), 10);
    EXPECT_EQ(regionChanged_, 2);
}

TEST_F(SkinOnForm, ColorWithANonZeroTopByteMatchesNoPixel) {
    fw::Bitmap glyph = SolidGlyph(12, 6, kFuchsia);
    skin_->SetGlyph(&glyph);
    ASSERT_EQ(WindowRegionType(Wnd()), NULLREGION);
    skin_->SetTransparentColor(0x01FF00FF);
    EXPECT_EQ(PixelSetDifference(Shape(14, 8), RectPixels({0, 0, 11, 6}, 14, 8), 14), "")
        << "the whole picture less its last column";
    // Nor is it read as a system colour.
    skin_->SetTransparentColor(fw::clBtnFace);
    EXPECT_EQ(PixelSetDifference(Shape(14, 8), RectPixels({0, 0, 11, 6}, 14, 8), 14), "");
}

TEST_F(SkinOnForm, ThirtyTwoBitGlyphIsComparedByColourNotByItsFourthByte) {
    fw::Bitmap glyph(10, 4, 32);
    for (int y = 0; y < 4; ++y) {
        std::uint8_t* row = glyph.Row(y);
        for (int x = 0; x < 10; ++x) {
            const bool cut = x == 4;
            row[x * 4 + 0] = cut ? 255 : 30; // blue
            row[x * 4 + 1] = cut ? 0 : 60;   // green
            row[x * 4 + 2] = cut ? 255 : 90; // red
            row[x * 4 + 3] = 255;            // alpha
        }
    }
    skin_->SetGlyph(&glyph);
    std::vector<Span> want;
    for (int y = 0; y < 4; ++y) {
        want.push_back({y, 0, 3});
        want.push_back({y, 5, 8});
    }
    EXPECT_EQ(PixelSetDifference(Shape(12, 6), SpanPixels(want, 12, 6), 12), "");
}

TEST_F(SkinOnForm, StoredDescriptionOrderAppliesTheSkinExactlyOnce) {
    RegionWatch watch;
    ASSERT_TRUE(watch.Installed());
    // Bounds, then the picture read in place, then the colour.
    skin_->SetBounds(0, 0, 60, 40);
    fw::Bitmap& glyph = skin_->Glyph();
    glyph.Create(60, 40);
    glyph.Fill(kFace);
    glyph.SetPixel(0, 0, kFuchsia);
    EXPECT_FALSE(form_->HandleAllocated()) << "reading the picture in place applies nothing";
    EXPECT_EQ(regionChanged_, 0);
    skin_->SetTransparentColor(fw::clFuchsia);
    EXPECT_TRUE(form_->HandleAllocated()) << "the window is made when the skin is applied";
    EXPECT_EQ(regionChanged_, 1);
    ASSERT_EQ(watch.setWindowRgn.size(), 1u);
    EXPECT_EQ(watch.setWindowRgn[0].wnd, form_->HandleIfAllocated());
    std::vector<Span> want{{0, 1, 58}};
    for (int y = 1; y < 40; ++y)
        want.push_back({y, 0, 58});
    EXPECT_EQ(PixelSetDifference(Shape(62, 42), SpanPixels(want, 62, 42), 62), "");
    EXPECT_EQ(ClientSizeOf(Wnd()).cx, 60);
    EXPECT_EQ(ClientSizeOf(Wnd()).cy, 40);
}

TEST_F(SkinOnForm, EraseBackgroundIsAnsweredWithoutDrawing) {
    fw::Bitmap glyph = SolidGlyph(20, 10, kFace);
    skin_->SetGlyph(&glyph);
    DibSurface s(20, 10, RGB(1, 2, 3));
    EXPECT_NE(skin_->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.dc()), 0), 0);
    EXPECT_EQ(s.Pixel(5, 5), RGB(1, 2, 3));
}
