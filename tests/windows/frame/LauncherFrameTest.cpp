// The launcher window as it comes up: its real shape cut from the skin, its
// size, style, placement, texts, owner, icon and font, and its face on screen.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "framework/Application.h"
#include "ui/Main.h"

#include <gtest/gtest.h>

#include <memory>

using namespace frame_tests;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

constexpr int kW = 444, kH = 217;

// The shape the skin yields: whole rows 4..212 less the last column, and
// four one-pixel steps at every corner.
std::vector<Span> LauncherSpans() {
    std::vector<Span> s;
    const int steps[4][2] = {{4, 438}, {3, 439}, {2, 440}, {1, 441}};
    for (int row = 0; row < 4; ++row) {
        s.push_back({row, steps[row][0], steps[row][1]});
        s.push_back({kH - 1 - row, steps[row][0], steps[row][1]});
    }
    for (int y = 4; y <= 212; ++y)
        s.push_back({y, 0, 442});
    return s;
}

class LauncherFrame : public ::testing::Test {
protected:
    void SetUp() override { form_ = std::make_unique<ui::TFormMain>(); }
    void TearDown() override {
        form_.reset();
        PumpFor(20);
    }
    HWND Wnd() { return form_->HandleIfAllocated(); }
    std::unique_ptr<ui::TFormMain> form_;
};

} // namespace

TEST_F(LauncherFrame, ShapeIsTheSkinLessItsCornerStepsAndLastColumn) {
    ASSERT_TRUE(form_->HandleAllocated()) << "applying the skin creates the window";
    // Two pixels of margin on the right and below: nothing may lie there.
    const int w = kW + 2, h = kH + 2;
    EXPECT_EQ(PixelSetDifference(WindowRegionPixels(Wnd(), w, h), SpanPixels(LauncherSpans(), w, h), w), "");

    fw::UniqueRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(Wnd(), rgn.get()), ERROR);
    RECT box{};
    ::GetRgnBox(rgn.get(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 443);
    EXPECT_EQ(box.bottom, 217);

    // The corner steps named pixel by pixel, at all four corners.
    const int cut[4] = {4, 3, 2, 1};
    for (int row = 0; row < 4; ++row)
        for (int i = 0; i < cut[row]; ++i)
            for (int y : {row, kH - 1 - row}) {
                EXPECT_FALSE(::PtInRegion(rgn.get(), i, y)) << i << "," << y;
                EXPECT_FALSE(::PtInRegion(rgn.get(), 442 - i, y)) << 442 - i << "," << y;
            }
    for (int y = 0; y < kH; ++y)
        EXPECT_FALSE(::PtInRegion(rgn.get(), 443, y)) << "last column, row " << y;
    EXPECT_TRUE(::PtInRegion(rgn.get(), 4, 0));
    EXPECT_TRUE(::PtInRegion(rgn.get(), 0, 4));
    EXPECT_TRUE(::PtInRegion(rgn.get(), 442, 212));
}

TEST_F(LauncherFrame, SkinControlAndClientAreaAre444By217AtTheOrigin) {
    auto& skin = form_->SkinFormMain();
    EXPECT_EQ(skin.Name(), L"SkinFormMain");
    EXPECT_EQ(form_->Controls().front().get(), &skin) << "the skin is the first child, below all others";
    EXPECT_EQ(skin.Left(), 0);
    EXPECT_EQ(skin.Top(), 0);
    EXPECT_EQ(skin.Width(), kW);
    EXPECT_EQ(skin.Height(), kH);
    EXPECT_EQ(skin.TransparentColor(), 0xFF00FFu);
    EXPECT_EQ(skin.Glyph().Width(), kW);
    EXPECT_EQ(skin.Glyph().Height(), kH);

    EXPECT_EQ(form_->ClientWidth(), kW);
    EXPECT_EQ(form_->ClientHeight(), kH);
    const SIZE client = ClientSizeOf(Wnd());
    EXPECT_EQ(client.cx, kW);
    EXPECT_EQ(client.cy, kH);
}

TEST_F(LauncherFrame, WindowIsBorderlessAndCentredOnTheVirtualScreen) {
    const LONG style = ::GetWindowLongW(Wnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_EQ(form_->GetBorderStyle(), fw::BorderStyle::None);

    RECT r{};
    ::GetWindowRect(Wnd(), &r);
    EXPECT_EQ(r.right - r.left, kW) << "no frame: the window is as wide as its client area";
    EXPECT_EQ(r.bottom - r.top, kH);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXVIRTUALSCREEN) - kW) / 2);
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYVIRTUALSCREEN) - kH) / 2);

    // Showing keeps the first placement.
    form_->Show();
    PumpUntil([&] { return ::IsWindowVisible(Wnd()) != FALSE; });
    RECT shown{};
    ::GetWindowRect(Wnd(), &shown);
    EXPECT_TRUE(::EqualRect(&r, &shown));
}

TEST_F(LauncherFrame, WindowTextLacksTheFullStopThatTheApplicationTitleHas) {
    wchar_t text[64] = {};
    ::GetWindowTextW(Wnd(), text, 64);
    EXPECT_STREQ(text, L"Orvalis");
    EXPECT_EQ(form_->Caption(), L"Orvalis");

    HWND app = fw::Application::Instance().Handle();
    ::GetWindowTextW(app, text, 64);
    EXPECT_STREQ(text, L"Orvalis.");
    EXPECT_EQ(::GetWindow(Wnd(), GW_OWNER), app) << "the application window carries the taskbar button";
    EXPECT_EQ(::GetParent(Wnd()), app);
}

TEST_F(LauncherFrame, IconIsMainIcon) {
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    auto shared = [&](int cx, int cy) {
        return static_cast<HICON>(::LoadImageW(inst, L"MAINICON", IMAGE_ICON, cx, cy, LR_SHARED));
    };
    HICON big = shared(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    HICON small = shared(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    ASSERT_NE(big, nullptr) << "MAINICON is among the resources";
    form_->Show();
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(Wnd(), WM_GETICON, ICON_BIG, 0)), big);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(Wnd(), WM_GETICON, ICON_SMALL, 0)), small);
    // The taskbar button shows the application window's class icon.
    EXPECT_NE(reinterpret_cast<HICON>(::GetClassLongPtrW(fw::Application::Instance().Handle(), GCLP_HICON)),
              nullptr);
}

TEST_F(LauncherFrame, FontIsTahoma11AndTheSkinInheritsIt) {
    const fw::Font& f = form_->GetFont();
    EXPECT_EQ(f.name, L"Tahoma");
    EXPECT_EQ(f.height, 11);
    EXPECT_FALSE(f.bold);
    EXPECT_FALSE(f.italic);
    EXPECT_EQ(f.charset, ANSI_CHARSET);
    EXPECT_EQ(f.color, fw::clWindowText);
    EXPECT_TRUE(form_->SkinFormMain().GetFont() == f);

    // The GDI font made from it has a character height (not cell height) of 11.
    fw::UniqueFont font = f.Create();
    LOGFONTW lf{};
    ::GetObjectW(font.get(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
}

TEST_F(LauncherFrame, FaceOnScreenIsTheSkinPixelForPixel) {
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(Wnd()) && ::GetForegroundWindow() == Wnd(); }));
    PumpFor(200);
    RECT r{};
    ::GetWindowRect(Wnd(), &r);
    const fw::Bitmap shot = testing_support::CaptureScreen(r);
    const fw::Bitmap& skin = form_->SkinFormMain().Glyph();
    const std::vector<bool> shape = SpanPixels(LauncherSpans(), kW, kH);
    // The skin shows wherever no other control lies on it.
    auto covered = [&](int x, int y) {
        const auto& controls = form_->Controls();
        for (size_t i = 1; i < controls.size(); ++i) {
            const RECT b = controls[i]->BoundsRect();
            if (controls[i]->Visible() && ::PtInRect(&b, POINT{x, y}))
                return true;
        }
        return false;
    };
    int wrong = 0, compared = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            if (!shape[static_cast<size_t>(y) * kW + x] || covered(x, y))
                continue;
            ++compared;
            if (shot.Pixel(x, y) != skin.Pixel(x, y) && wrong++ < 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): screen " << std::hex << shot.Pixel(x, y)
                              << ", skin " << skin.Pixel(x, y);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(compared, kW * kH / 3) << "much of the face is bare skin";
}

TEST_F(LauncherFrame, PressesOnTheCutCornersReachTheWindowBehind) {
    fw::Form behind;
    RECT r{};
    ::GetWindowRect(Wnd(), &r);
    ShowAt(behind, r.left - 20, r.top - 20, kW + 40, kH + 40);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == Wnd(); }));
    PumpFor(50);
    HWND back = behind.Handle();
    // The top-level window under the point (the launcher's buttons have windows of their own).
    auto at = [&](int x, int y) {
        return ::GetAncestor(::WindowFromPoint(POINT{r.left + x, r.top + y}), GA_ROOT);
    };
    EXPECT_EQ(at(0, 0), back);
    EXPECT_EQ(at(3, 0), back);
    EXPECT_EQ(at(0, 3), back);
    EXPECT_EQ(at(442, 216), back);
    EXPECT_EQ(at(443, 100), back) << "the last column is not part of the window";
    EXPECT_EQ(at(4, 0), Wnd());
    EXPECT_EQ(at(0, 4), Wnd());
    EXPECT_EQ(at(200, 100), Wnd());
}
