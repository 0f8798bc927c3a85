// Sizes, styles, captions and the base button's default pictures from the
// style strips and the theme file.
#include "ButtonFixture.h"

#include "controls/SkinThemes.h"

using namespace buttons_test;
using controls::TSkinCustomButton;
using controls::TSkinImageButton;
using controls::TSkinUIStyle;

namespace {

bool SameFace(const fw::Bitmap& face, const fw::Bitmap& frame) {
    if (face.Width() != frame.Width() || face.Height() != frame.Height())
        return false;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x)
            if (face.Pixel(x, y) != frame.Pixel(x, y))
                return false;
    return true;
}

// A strip of three solid frames.
fw::Bitmap ThreeFrames(int frameWidth, int height, COLORREF a, COLORREF b, COLORREF c) {
    fw::Bitmap s(frameWidth * 3, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < frameWidth * 3; ++x)
            s.SetPixel(x, y, x < frameWidth ? a : x < 2 * frameWidth ? b : c);
    return s;
}

} // namespace

TEST_F(ButtonTest, AutoSizeTakesHeightThenWidthOfPicNormal) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetPicMouseOn(SolidPicture(90, 90, kMouseOn));
    b.SetAutoSize(true);
    EXPECT_EQ(b.Width(), 60);
    EXPECT_EQ(b.Height(), 30);
    b.SetPicNormal(SolidPicture(41, 17, kNormal));
    EXPECT_EQ(b.Width(), 41);
    EXPECT_EQ(b.Height(), 17);
    RECT r;
    ::GetClientRect(b.Handle(), &r);
    EXPECT_EQ(r.right, 41);
    b.PicNormal().SetBitmap(fw::Bitmap(5, 5, 24)); // in place: no effect
    EXPECT_EQ(b.Width(), 41);
    b.SetPicNormal(fw::Picture([] {
        fw::Picture p;
        p.SetBitmap(fw::Bitmap(0, 0, 24));
        return p;
    }()));
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 0);
}

TEST_F(ButtonTest, AutoSizeWithoutParentDoesNothingUntilTheNextWriteWithAParent) {
    auto loose = std::make_unique<TSkinImageButton>(nullptr);
    loose->SetBounds(0, 0, 10, 10);
    loose->SetPicNormal(SolidPicture(40, 20, kNormal));
    loose->SetAutoSize(true);
    EXPECT_EQ(loose->Width(), 10);
    TSkinImageButton& b = *loose;
    form_->InsertControl(std::move(loose));
    EXPECT_EQ(b.Width(), 10) << "taking a parent does not resize";
    b.SetAutoSize(true);
    EXPECT_EQ(b.Width(), 40);
    EXPECT_EQ(b.Height(), 20);
}

TEST_F(ButtonTest, AutoSizeWithEmptyPicNormalKeepsTheSize) {
    auto& b = form_->Create<TSkinImageButton>();
    b.SetBounds(0, 0, 33, 22);
    b.SetAutoSize(true);
    EXPECT_EQ(b.Width(), 33);
    EXPECT_EQ(b.Height(), 22);
}

TEST_F(ButtonTest, ImageButtonStyleReadsBackFromThemeFileAndChangesNothingOnScreen) {
    auto& b = AddButton(L"A", 10, 10);
    EXPECT_EQ(b.UIStyle(), TSkinUIStyle::FromThemeFile);
    b.SetUIStyle(TSkinUIStyle::Silver);
    EXPECT_EQ(b.UIStyle(), TSkinUIStyle::FromThemeFile);
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kNormal);
}

TEST_F(ButtonTest, NewButtonIsAPlainTabStopInTheFormColourWithoutFocusFrame) {
    auto& first = AddButton(L"A", 10, 10);
    auto& b = form_->Create<TSkinImageButton>();
    b.SetBounds(100, 10, 40, 20);
    first.SetFocus();
    ASSERT_TRUE(WaitFocus(first));
    Key(VK_TAB, true);
    Key(VK_TAB, false);
    ASSERT_TRUE(WaitFocus(b)) << "a new button is a tab stop";
    // No pictures, no caption, the parent's colour and no focus frame: the
    // focused face is the form's colour everywhere.
    const fw::Bitmap face = ScreenFace(b);
    for (int y = 0; y < face.Height(); ++y)
        for (int x = 0; x < face.Width(); ++x)
            ASSERT_EQ(face.Pixel(x, y), fw::ColorToRGB(kFormColor)) << x << "," << y;
    ClickAt(b, 5, 5);
    EXPECT_FALSE(b.HasRepeatTimer()) << "the repeat timer ends with the press";
}

TEST_F(ButtonTest, CaptionAndWindowTextFollowEachOther) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetCaption(L"One");
    wchar_t text[32]{};
    ::GetWindowTextW(b.Handle(), text, 32);
    EXPECT_STREQ(text, L"One");
    b.SetText(L"Two");
    EXPECT_EQ(b.Caption(), L"Two");
    ::SetWindowTextW(b.Handle(), L"Three");
    EXPECT_EQ(b.Caption(), L"Three") << "a window text set from outside becomes the caption";
}

TEST_F(ButtonTest, BaseButtonDrawsFramesOfTheNavyStripByDefault) {
    auto& b = form_->Create<TSkinCustomButton>();
    EXPECT_EQ(b.UIStyle(), TSkinUIStyle::Navy);
    b.SetAutoSize(true);
    EXPECT_EQ(b.Width(), 74);
    EXPECT_EQ(b.Height(), 21);
    const fw::Bitmap& strip = controls::BuiltInButtonStrip(TSkinUIStyle::Navy);
    ASSERT_EQ(strip.Width(), 222);
    EXPECT_TRUE(SameFace(Face(b), controls::StripFrame(strip, 1, 3)));
    b.MouseEnter();
    EXPECT_TRUE(SameFace(Face(b), controls::StripFrame(strip, 2, 3)));
    b.SetTabStop(false); // the press would take the focus and draw the focus frame
    b.MouseDown(fw::MouseButton::Left, 0, 1, 1);
    EXPECT_TRUE(SameFace(Face(b), controls::StripFrame(strip, 3, 3)));
    b.CancelMode();
}

TEST_F(ButtonTest, BaseAutoSizeFollowsTheStoredStyleStrip) {
    struct Case {
        TSkinUIStyle style;
        int w, h;
    };
    auto& b = form_->Create<TSkinCustomButton>();
    b.SetAutoSize(true);
    for (const Case& c : {Case{TSkinUIStyle::Silver, 84, 23}, Case{TSkinUIStyle::Classic, 18, 21},
                          Case{TSkinUIStyle::Amber, 74, 21}, Case{TSkinUIStyle::Glass, 77, 27},
                          // no strip of its own: counted as 74 x 21, a third of it wide
                          Case{TSkinUIStyle::FromThemeFile, 24, 21}}) {
        b.SetUIStyle(c.style);
        b.SetAutoSize(true);
        EXPECT_EQ(b.Width(), c.w) << static_cast<int>(c.style);
        EXPECT_EQ(b.Height(), c.h) << static_cast<int>(c.style);
    }
}

TEST_F(ButtonTest, StripFrameLastFrameTakesTheRightmostColumns) {
    fw::Bitmap strip(10, 2, 24);
    for (int x = 0; x < 10; ++x)
        strip.SetPixel(x, 0, RGB(x, 0, 0));
    const fw::Bitmap last = controls::StripFrame(strip, 3, 3);
    ASSERT_EQ(last.Width(), 3);
    EXPECT_EQ(last.Pixel(0, 0), RGB(7, 0, 0));
    EXPECT_EQ(controls::StripFrame(strip, 2, 3).Pixel(0, 0), RGB(3, 0, 0));
    EXPECT_TRUE(controls::StripFrame(fw::Bitmap(), 1, 3).Empty());
}

TEST_F(ButtonTest, FromThemeFileUsesTheLoadedThemesButtonPictureAndNavyOtherwise) {
    auto& b = form_->Create<TSkinCustomButton>();
    b.SetBounds(10, 10, 30, 10);
    b.SetUIStyle(TSkinUIStyle::FromThemeFile);
    const fw::Bitmap navy1 = controls::StripFrame(controls::BuiltInButtonStrip(TSkinUIStyle::Navy), 1, 3);
    EXPECT_EQ(FaceColor(b, 5, 5), navy1.Pixel(5, 5)) << "no theme: Navy";

    auto theme = std::make_unique<controls::TSkinFileTheme>();
    b.SetFileTheme(theme.get());
    b.Repaint();
    EXPECT_EQ(FaceColor(b, 5, 5), navy1.Pixel(5, 5)) << "a theme that is not loaded: Navy";

    std::vector<fw::Bitmap> pictures(16);
    pictures[15] = ThreeFrames(30, 10, RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9));
    theme->Load(std::move(pictures));
    EXPECT_EQ(FaceColor(b, 5, 5), RGB(1, 2, 3));
    b.MouseEnter();
    EXPECT_EQ(FaceColor(b, 5, 5), RGB(4, 5, 6));

    theme.reset();
    EXPECT_EQ(b.FileTheme(), nullptr) << "the removed theme is forgotten";
    EXPECT_EQ(b.UIStyle(), TSkinUIStyle::Navy);
}

TEST_F(ButtonTest, InitialStyleComesFromAThemedPanelOfTheOwnerForm) {
    auto& before = form_->Create<TSkinCustomButton>();
    form_->Create<controls::TThemedFormPanel>(TSkinUIStyle::Amber);
    auto& after = form_->Create<TSkinCustomButton>();
    EXPECT_EQ(before.UIStyle(), TSkinUIStyle::Navy);
    EXPECT_EQ(after.UIStyle(), TSkinUIStyle::Amber);
    TSkinCustomButton loose(nullptr);
    EXPECT_EQ(loose.UIStyle(), TSkinUIStyle::Navy);
}
