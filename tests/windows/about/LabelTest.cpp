// The windowless label: sizing to its text, the accelerator rule, and its
// painting over or instead of its parent's background.
#include "TestSupport.h"

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Label.h"

#include <gtest/gtest.h>

namespace {

using testing_support::PumpIdle;

struct LabelForm : fw::Form {
    LabelForm() {
        SetBorderStyle(fw::BorderStyle::Single);
        SetClientWidth(200);
        SetClientHeight(60);
        SetColor(0x00FF00);
    }
};

// Paints the form's client area into a bitmap through its WM_PAINT-with-DC path.
fw::Bitmap RenderClient(fw::Form& form) {
    fw::Bitmap bmp(form.ClientWidth(), form.ClientHeight(), 24);
    fw::BitmapCanvas canvas(bmp);
    ::SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(canvas.Handle()), 0);
    return bmp;
}

// The face GDI really draws for the font (a missing face is silently replaced).
std::wstring DrawnFace(const fw::Font& font) {
    fw::WindowDC screen(nullptr);
    fw::Canvas canvas(screen.get());
    canvas.SetFont(font);
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(canvas.Handle(), LF_FACESIZE, face);
    return face;
}

TEST(Label, AutoSizeFollowsTheTextInTahomaElevenPixels) {
    ASSERT_EQ(DrawnFace(fw::Font{}), L"Tahoma")
        << "Tahoma is not installed where GDI finds it; under Wine copy /usr/share/wine/fonts/tahoma*.ttf "
           "into the prefix's drive_c/windows/Fonts";
    LabelForm form;
    auto& label = form.Create<fw::Label>();
    label.SetBounds(16, 160, 0, 0);
    label.SetText(L"Welcome to Orvalis!");
    EXPECT_EQ(label.Height(), 13);
    const int welcome = label.Width();
    EXPECT_GT(welcome, 60);

    label.SetText(L"Welcome to Orvalis! And more");
    EXPECT_GT(label.Width(), welcome);
    EXPECT_EQ(label.Height(), 13);
    EXPECT_EQ(label.Left(), 16);
    EXPECT_EQ(label.Top(), 160);

    label.SetText(L"");
    EXPECT_EQ(label.Height(), 13) << "an empty label keeps a line's height";
    label.SetText(L"two\r\nlines");
    EXPECT_EQ(label.Height(), 26);
}

TEST(Label, FontChangesResizeAndFixedSizeStays) {
    LabelForm form;
    auto& label = form.Create<fw::Label>();
    label.SetText(L"Product information");
    const int regular = label.Width();
    fw::Font bold = label.GetFont();
    bold.bold = true;
    label.SetFont(bold);
    EXPECT_GT(label.Width(), regular);

    label.SetAutoSize(false);
    label.SetBounds(0, 0, 50, 40);
    label.SetText(L"Something much longer than fifty pixels");
    EXPECT_EQ(label.Width(), 50);
    EXPECT_EQ(label.Height(), 40);
}

TEST(Label, WordWrapKeepsTheWidthAndGrowsTheHeight) {
    LabelForm form;
    auto& label = form.Create<fw::Label>();
    label.SetWordWrap(true);
    label.SetBounds(0, 0, 60, 13);
    label.SetText(L"several words that cannot fit in sixty pixels");
    EXPECT_EQ(label.Width(), 60);
    EXPECT_GT(label.Height(), 13 * 2);
}

TEST(Label, AmpersandsAreAcceleratorsUnlessShownLiterally) {
    LabelForm form;
    auto& marked = form.Create<fw::Label>();
    marked.SetText(L"Tom & Jerry");
    auto& plain = form.Create<fw::Label>();
    plain.SetShowAccelChar(false);
    plain.SetText(L"Tom & Jerry");
    auto& reference = form.Create<fw::Label>();
    reference.SetShowAccelChar(false);
    reference.SetText(L"Tom  Jerry");
    EXPECT_GT(plain.Width(), marked.Width());
    EXPECT_GT(plain.Width(), reference.Width());
    EXPECT_TRUE(plain.TextFormat() & DT_NOPREFIX);
    EXPECT_FALSE(marked.TextFormat() & DT_NOPREFIX);
}

TEST(Label, TransparentShowsTheParentOpaqueFillsItsColour) {
    LabelForm form;
    auto& opaque = form.Create<fw::Label>();
    opaque.SetBounds(0, 0, 0, 0);
    opaque.SetText(L"Opaque");
    EXPECT_TRUE(opaque.ParentColor());
    opaque.SetColor(0xFF0000);
    fw::Font f = opaque.GetFont();
    f.color = fw::clWhite;
    opaque.SetFont(f);

    auto& clear = form.Create<fw::Label>();
    clear.SetBounds(0, 30, 0, 0);
    clear.SetTransparent(true);
    clear.SetText(L"Clear");
    f.color = 0x2C2C2D;
    clear.SetFont(f);

    form.Show();
    PumpIdle();
    const fw::Bitmap px = RenderClient(form);
    // A corner of each label's box lies outside the glyphs.
    EXPECT_EQ(px.Pixel(opaque.Width() - 1, 0), 0xFF0000u);
    EXPECT_EQ(px.Pixel(clear.Width() - 1, 30), 0x00FF00u);
    int white = 0, dark = 0;
    for (int y = 0; y < opaque.Height(); ++y)
        for (int x = 0; x < opaque.Width(); ++x)
            white += px.Pixel(x, y) == 0xFFFFFFu;
    for (int y = 30; y < 30 + clear.Height(); ++y)
        for (int x = 0; x < clear.Width(); ++x)
            dark += px.Pixel(x, y) != 0x00FF00u;
    EXPECT_GT(white, 10);
    EXPECT_GT(dark, 10);
    // Nothing outside the labels' boxes is touched.
    EXPECT_EQ(px.Pixel(150, 50), 0x00FF00u);
}

TEST(Label, TheCursorOverItIsItsOwn) {
    LabelForm form;
    auto& label = form.Create<fw::Label>();
    label.SetBounds(10, 10, 0, 0);
    label.SetText(L"Link text");
    label.SetCursor(fw::crHandPoint);
    form.Show();
    PumpIdle();
    POINT p{12, 14};
    ::ClientToScreen(form.Handle(), &p);
    ::SetCursorPos(p.x, p.y);
    PumpIdle();
    ::SendMessageW(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), fw::Application::Instance().GetCursor(fw::crHandPoint));
}

} // namespace
