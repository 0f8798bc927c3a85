// The launcher and the About dialog moved to a monitor of another scale: Windows sends
// WM_DPICHANGED with the new dots per inch and a suggested rectangle, and the window
// takes its place there at the size, shape, artwork and fonts of that scale. With one
// monitor nothing sends it, so the tests do, at stored scales and between them.
#include "TestSupport.h"

#include "controls/PNGGraphic.h"
#include "core/Scale.h"
#include "framework/Handles.h"
#include "framework/PngResource.h"
#include "ui/LauncherLayout.h"
#include "ui/Main.h"
#include "ui/about.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

namespace layout = ui::layout;
using core::ScaleLength;
using testing_support::PumpFor;
using testing_support::PumpUntil;

constexpr COLORREF kFuchsia = RGB(255, 0, 255);

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

bool SamePixels(const fw::Bitmap& a, const fw::Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.BitsPerPixel() != b.BitsPerPixel())
        return false;
    const size_t row = static_cast<size_t>(a.Width()) * (a.BitsPerPixel() / 8);
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), row) != 0)
            return false;
    return true;
}

const fw::Bitmap* PictureBitmap(const fw::Picture& p) {
    const auto* g = dynamic_cast<const fw::BitmapGraphic*>(p.GetGraphic());
    return g ? &g->GetBitmap() : nullptr;
}

// The stored picture of a scale, as the program's resources hold it.
fw::Bitmap Stored(const std::string& name, int dpi) {
    fw::Bitmap bitmap;
    if (dpi == core::kDesignDpi)
        bitmap.LoadFromResource(::GetModuleHandleW(nullptr), Wide(name).c_str());
    else
        fw::LoadPngResource(bitmap, ::GetModuleHandleW(nullptr),
                            Wide(core::ScaledResourceName(name, dpi)).c_str());
    return bitmap;
}

bool IsStored(int dpi) {
    for (int stored : core::kStoredDpis)
        if (stored == dpi)
            return true;
    return false;
}

// Sends what Windows sends when the window reaches a monitor of that scale.
void SendDpiChanged(HWND wnd, int dpi, const RECT& suggested) {
    ::SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class LauncherDpiChange : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        form_ = std::make_unique<ui::TFormMain>();
        form_->Show();
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(Wnd()) != FALSE; }));
    }
    void TearDown() override {
        form_.reset();
        PumpFor(20);
    }
    HWND Wnd() { return form_->HandleIfAllocated(); }
    int Px(int length, int dpi) const { return ScaleLength(length, dpi); }
    // A rectangle of the scaled size at a place other than the window's own.
    RECT Suggested(int dpi) {
        RECT r{};
        ::GetWindowRect(Wnd(), &r);
        const int left = r.left > 100 ? 40 : 140, top = r.top > 100 ? 30 : 130;
        return {left, top, left + Px(layout::kClientWidth, dpi), top + Px(layout::kClientHeight, dpi)};
    }
    // Bounds, shape, skin, pictures and fonts of the launcher laid out at dpi.
    void ExpectLaidOutAt(int dpi, const RECT& place);

    std::unique_ptr<ui::TFormMain> form_;
};

void LauncherDpiChange::ExpectLaidOutAt(int dpi, const RECT& place) {
    const int w = Px(layout::kClientWidth, dpi), h = Px(layout::kClientHeight, dpi);
    EXPECT_EQ(form_->Dpi(), dpi);
    RECT r{};
    ::GetWindowRect(Wnd(), &r);
    EXPECT_EQ(r.left, place.left);
    EXPECT_EQ(r.top, place.top);
    EXPECT_EQ(r.right - r.left, w);
    EXPECT_EQ(r.bottom - r.top, h);
    EXPECT_EQ(form_->ClientWidth(), w);
    EXPECT_EQ(form_->ClientHeight(), h);

    // The shape is the 100% outline scaled, less the last column.
    const fw::Bitmap design = Stored(layout::kSkin.resource, core::kDesignDpi);
    fw::UniqueRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(Wnd(), rgn.get()), ERROR);
    int wrong = 0;
    for (int y = 0; y < h + 1; ++y)
        for (int x = 0; x < w + 1; ++x) {
            const bool inside = x < w - 1 && y < h && design.Pixel(x * 96 / dpi, y * 96 / dpi) != kFuchsia;
            if ((::PtInRegion(rgn.get(), x, y) != FALSE) != inside && ++wrong <= 3)
                ADD_FAILURE() << "region at (" << x << ", " << y << ") should be " << (inside ? "in" : "out");
        }
    EXPECT_EQ(wrong, 0);

    // The skin is the stored picture of that scale, or one of its size between them.
    const fw::Bitmap& skin = form_->SkinFormMain().Glyph();
    EXPECT_EQ(skin.Width(), w);
    EXPECT_EQ(skin.Height(), h);
    if (IsStored(dpi)) {
        EXPECT_TRUE(SamePixels(skin, Stored(layout::kSkin.resource, dpi)));
    }

    for (const layout::ButtonLayout& d : layout::kButtons) {
        controls::TSkinImageButton* b = form_->Button(Wide(d.name));
        ASSERT_NE(b, nullptr) << d.name;
        EXPECT_EQ(b->Left(), Px(d.bounds.left, dpi)) << d.name;
        EXPECT_EQ(b->Top(), Px(d.bounds.top, dpi)) << d.name;
        EXPECT_EQ(b->Width(), Px(d.bounds.width, dpi)) << d.name;
        EXPECT_EQ(b->Height(), Px(d.bounds.height, dpi)) << d.name;
        const fw::Picture* pictures[] = {&b->PicNormal(), &b->PicMouseOn(), &b->PicMouseDown()};
        for (size_t s = 0; s < std::size(layout::kPictureStates); ++s) {
            const layout::PictureState state = layout::kPictureStates[s];
            const fw::Bitmap* shown = PictureBitmap(*pictures[s]);
            if (!d.HasPicture(state)) {
                EXPECT_EQ(shown, nullptr) << d.name;
                continue;
            }
            ASSERT_NE(shown, nullptr) << d.PictureResource(state);
            EXPECT_EQ(shown->Width(), Px(d.bounds.width, dpi)) << d.PictureResource(state);
            EXPECT_EQ(shown->Height(), Px(d.bounds.height, dpi)) << d.PictureResource(state);
            if (IsStored(dpi)) {
                EXPECT_TRUE(SamePixels(*shown, Stored(d.PictureResource(state), dpi)))
                    << d.PictureResource(state);
            }
        }
    }
    for (const fw::Label* label : {&form_->LabelInfo1(), &form_->LabelInfo2()}) {
        EXPECT_EQ(label->GetFont().name, L"Tahoma");
        EXPECT_EQ(label->GetFont().height, Px(11, dpi)) << "8 points at every scale";
    }
    EXPECT_EQ(form_->LabelInfo1().Left(), Px(16, dpi));
    EXPECT_EQ(form_->LabelInfo1().Top(), Px(160, dpi));
    EXPECT_EQ(form_->LabelInfo2().Left(), Px(17, dpi));
    EXPECT_EQ(form_->LabelInfo2().Top(), Px(161, dpi));
}

TEST_P(LauncherDpiChange, TakesTheSuggestedPlaceWithTheScalesSizeShapeArtworkAndFonts) {
    const int dpi = GetParam();
    const RECT there = Suggested(dpi);
    SendDpiChanged(Wnd(), dpi, there);
    ExpectLaidOutAt(dpi, there);

    // On screen, after the next paint: the face and the buttons of the new scale.
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == Wnd(); }));
    PumpFor(200);
    const fw::Bitmap shot = testing_support::CaptureScreen(there);
    const fw::Bitmap& skin = form_->SkinFormMain().Glyph();
    const int spotX = Px(120, dpi), spotY = Px(20, dpi); // the title strip, where no control lies
    EXPECT_EQ(shot.Pixel(spotX, spotY), skin.Pixel(spotX, spotY));
    const layout::ButtonLayout& large = layout::Button("ButtonDataCDDVD");
    const fw::Bitmap* normal = PictureBitmap(form_->Button(Wide(large.name))->PicNormal());
    ASSERT_NE(normal, nullptr);
    int wrong = 0;
    for (int y = 0; y < normal->Height(); ++y)
        for (int x = 0; x < normal->Width(); ++x)
            if (shot.Pixel(Px(large.bounds.left, dpi) + x, Px(large.bounds.top, dpi) + y) !=
                normal->Pixel(x, y))
                ++wrong;
    EXPECT_EQ(wrong, 0) << "the large button shows its normal picture of the new scale";

    // And back: everything as it was at 100%.
    const RECT home = Suggested(core::kDesignDpi);
    SendDpiChanged(Wnd(), core::kDesignDpi, home);
    ExpectLaidOutAt(core::kDesignDpi, home);
}

// Two stored scales, and two between them (110% and 225%) that reduce the next larger one.
INSTANTIATE_TEST_SUITE_P(Scales, LauncherDpiChange, ::testing::Values(144, 192, 106, 216));

TEST(LauncherDpi, AsksWindowsForTheSkinsSizeAtTheNewScale) {
    ui::TFormMain form;
    SIZE size{1, 1};
    // WM_GETDPISCALEDSIZE, which Windows sends before WM_DPICHANGED.
    EXPECT_TRUE(::SendMessageW(form.Handle(), 0x02E4, 144, reinterpret_cast<LPARAM>(&size)));
    EXPECT_EQ(size.cx, 666);
    EXPECT_EQ(size.cy, 326);
}

class AboutDpi : public ::testing::TestWithParam<int> {
protected:
    // The picture type the launcher enters at start-up.
    void SetUp() override { controls::RegisterPNGGraphic(); }
    void TearDown() override { controls::UnregisterPNGGraphic(); }
};

// Client size, controls, bevels, fonts and the picture of the dialog at dpi.
void ExpectAboutAt(ui::TFormAbout& dlg, int dpi) {
    auto px = [dpi](int length) { return ScaleLength(length, dpi); };
    EXPECT_EQ(dlg.Dpi(), dpi);
    RECT client{};
    ::GetClientRect(dlg.Handle(), &client);
    EXPECT_EQ(client.right, px(523));
    EXPECT_EQ(client.bottom, px(298));
    EXPECT_EQ(dlg.GetFont().height, px(11));
    EXPECT_EQ(dlg.LabalTitle().GetFont().height, px(11));
    EXPECT_TRUE(dlg.LabalTitle().GetFont().bold);
    EXPECT_EQ(dlg.LabelWeb().GetFont().height, px(11));
    struct Expect {
        const wchar_t* name;
        int left, top, width, height;
    };
    for (const Expect& e : {Expect{L"PanelmageLeft", 12, 12, 175, 242}, Expect{L"ImageLeft", 2, 2, 171, 238},
                            Expect{L"LabelWeb", 16, 160, -1, -1}}) {
        fw::Control* c = dlg.FindControl(e.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Left(), px(e.left)) << e.name;
        EXPECT_EQ(c->Top(), px(e.top)) << e.name;
        if (e.width >= 0) {
            EXPECT_EQ(c->Width(), px(e.width)) << e.name;
            EXPECT_EQ(c->Height(), px(e.height)) << e.name;
        }
    }
    EXPECT_EQ(dlg.Get<fw::Panel>(L"PanelMain").BorderWidth(), px(12));
    EXPECT_EQ(dlg.Get<fw::Panel>(L"PanelmageLeft").BevelWidth(), px(1));

    const fw::Picture& picture = dlg.ImageLeft().GetPicture();
    ASSERT_NE(picture.GetGraphic(), nullptr);
    EXPECT_EQ(picture.GetGraphic()->TypeName(), "TPNGGraphic") << "the stored form's type at every scale";
    const fw::Bitmap* bitmap = PictureBitmap(picture);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->BitsPerPixel(), 32);
    EXPECT_EQ(bitmap->Width(), px(175));
    EXPECT_EQ(bitmap->Height(), px(215));
    if (IsStored(dpi) && dpi != core::kDesignDpi) {
        EXPECT_TRUE(SamePixels(*bitmap, Stored("ABOUTPICTURE", dpi)));
    }
    const RECT dest = dlg.ImageLeft().DestRect();
    EXPECT_EQ(dest.left, (px(171) - px(175)) / 2);
    EXPECT_EQ(dest.top, (px(238) - px(215)) / 2);
}

TEST_P(AboutDpi, OpensAtTheLaunchersScaleAndFollowsItsOwnMonitor) {
    const int dpi = GetParam();
    ui::TFormMain main;
    RECT there{50, 40, 50 + ScaleLength(444, dpi), 40 + ScaleLength(217, dpi)};
    SendDpiChanged(main.Handle(), dpi, there);
    {
        ui::TFormAbout dlg(&main);
        ExpectAboutAt(dlg, dpi);
    }
    // Opened at 100% and then moved to a monitor of that scale.
    SendDpiChanged(main.Handle(), core::kDesignDpi, RECT{50, 40, 494, 257});
    ui::TFormAbout dlg(&main);
    ExpectAboutAt(dlg, core::kDesignDpi);
    RECT suggested{70, 60, 700, 500};
    SendDpiChanged(dlg.Handle(), dpi, suggested);
    ExpectAboutAt(dlg, dpi);
    RECT r{};
    ::GetWindowRect(dlg.Handle(), &r);
    EXPECT_EQ(r.left, 70);
    EXPECT_EQ(r.top, 60);
}

INSTANTIATE_TEST_SUITE_P(Scales, AboutDpi, ::testing::Values(144, 192, 216));

} // namespace
