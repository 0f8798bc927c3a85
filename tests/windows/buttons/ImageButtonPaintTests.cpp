// The image button's face: which picture each state shows and the fallbacks,
// sizes and Stretch, Transparent, a graphic that is no bitmap, captions and
// the focus frame.
#include "ButtonFixture.h"

using namespace buttons_test;
using controls::TSkinImageButton;

namespace {

constexpr COLORREF kBackground = kFormColor; // the buttons follow the form's colour

void Press(TSkinImageButton& b) {
    b.MouseDown(fw::MouseButton::Left, 0, 1, 1);
}
void EndPress(TSkinImageButton& b) {
    b.CancelMode();
}

fw::Picture EmptyBitmapPicture() {
    fw::Picture p;
    p.SetBitmap(fw::Bitmap(0, 0, 24));
    return p;
}

fw::Picture IconPicture() {
    fw::Picture p;
    p.SetGraphic(std::make_unique<fw::IconGraphic>(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION))));
    return p;
}

// A windowless control that paints one colour, under a transparent button.
class ColorBlock : public fw::Control {
public:
    ColorBlock(fw::Control* owner, COLORREF c) : fw::Control(owner), c_(c) {}
    void Paint(fw::Canvas& canvas) override { canvas.FillRect(ClientRect(), c_); }

private:
    COLORREF c_;
};

int CountPixels(const fw::Bitmap& bmp, COLORREF c) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            n += bmp.Pixel(x, y) == c;
    return n;
}

// Bounding box of the pixels that differ from the background colour.
RECT InkBox(const fw::Bitmap& bmp, COLORREF background) {
    RECT r{bmp.Width(), bmp.Height(), -1, -1};
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) != background) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x);
                r.bottom = std::max<LONG>(r.bottom, y);
            }
    return r;
}

} // namespace

TEST_F(ButtonTest, EachStateShowsItsOwnPictureDisabledFirstThenPressedThenMouseOn) {
    auto& b = AddButton(L"A", 10, 10);
    EXPECT_EQ(FaceColor(b), kNormal);
    b.MouseEnter();
    EXPECT_EQ(FaceColor(b), kMouseOn);
    Press(b);
    EXPECT_EQ(FaceColor(b), kMouseDown);
    b.SetEnabled(false);
    EXPECT_EQ(FaceColor(b), kDisabled) << "disabled wins over pressed";
    b.SetEnabled(true);
    EndPress(b);
    EXPECT_EQ(FaceColor(b), kNormal);
}

TEST_F(ButtonTest, OnlyPicNormalIsShownInEveryState) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.MouseEnter();
    EXPECT_EQ(FaceColor(b), kNormal);
    Press(b);
    EXPECT_EQ(FaceColor(b), kNormal);
    b.SetEnabled(false);
    EXPECT_EQ(FaceColor(b), kNormal) << "in its own colours, not greyed";
}

TEST_F(ButtonTest, EmptyPicNormalWithPicMouseOnShowsOnlyTheBackgroundAtRestAndPressed) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.PicNormal().Clear(); // in place: applies nothing until the next paint
    b.SetPicMouseOn(SolidPicture(60, 30, kMouseOn));
    EXPECT_EQ(FaceColor(b), kBackground);
    b.MouseEnter();
    EXPECT_EQ(FaceColor(b), kMouseOn);
    Press(b);
    EXPECT_EQ(FaceColor(b), kBackground) << "pressed falls back to PicNormal, not PicMouseOn";
}

TEST_F(ButtonTest, ContainerHoldingAnEmptyBitmapDrawsNothingAndDoesNotFallBack) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetPicMouseOn(EmptyBitmapPicture());
    b.SetPicDisabled(EmptyBitmapPicture());
    b.MouseEnter();
    EXPECT_EQ(FaceColor(b), kBackground);
    b.SetEnabled(false);
    EXPECT_EQ(FaceColor(b), kBackground);
}

TEST_F(ButtonTest, PicturesOfOtherSizesAreDrawnUnscaledAtTheTopLeft) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetBounds(10, 10, 80, 40);
    b.SetPicNormal(SolidPicture(50, 20, kNormal));
    b.SetPicMouseOn(SolidPicture(200, 100, kMouseOn));
    fw::Bitmap f = Face(b);
    EXPECT_EQ(f.Pixel(49, 19), kNormal);
    EXPECT_EQ(f.Pixel(50, 10), kBackground) << "background to the right";
    EXPECT_EQ(f.Pixel(10, 20), kBackground) << "and below";
    b.MouseEnter();
    f = Face(b);
    EXPECT_EQ(f.Pixel(79, 39), kMouseOn) << "a larger picture is cut at the edges";
}

TEST_F(ButtonTest, StretchScalesEveryStatePictureToTheButton) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetBounds(10, 10, 80, 40);
    b.SetPicNormal(SolidPicture(8, 4, kNormal));
    b.SetPicMouseOn(SolidPicture(200, 100, kMouseOn));
    b.SetStretch(true);
    fw::Bitmap f = Face(b);
    EXPECT_EQ(f.Pixel(0, 0), kNormal);
    EXPECT_EQ(f.Pixel(79, 39), kNormal);
    EXPECT_EQ(CountPixels(f, kNormal), 80 * 40);
    b.MouseEnter();
    EXPECT_EQ(CountPixels(Face(b), kMouseOn), 80 * 40);
}

TEST_F(ButtonTest, GraphicThatIsNoBitmapShowsAWhite74By21Rectangle) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetBounds(10, 10, 100, 40);
    b.SetPicNormal(IconPicture());
    fw::Bitmap f = Face(b);
    EXPECT_EQ(f.Pixel(0, 0), kWhite);
    EXPECT_EQ(f.Pixel(73, 20), kWhite);
    EXPECT_EQ(f.Pixel(74, 10), kBackground);
    EXPECT_EQ(f.Pixel(10, 21), kBackground);
    EXPECT_EQ(CountPixels(f, kWhite), 74 * 21);

    b.SetStretch(true);
    EXPECT_EQ(CountPixels(Face(b), kWhite), 100 * 40) << "stretched over the whole button";

    b.SetStretch(false);
    b.SetTransparent(true);
    EXPECT_EQ(CountPixels(Face(b), kWhite), 0) << "its white top-left pixel is the transparent colour";
}

TEST_F(ButtonTest, NonBitmapFallbackAlsoAppliesThroughTheNormalPictureFallback) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetPicNormal(IconPicture());
    b.MouseEnter(); // no PicMouseOn: PicNormal is fetched, and fails
    EXPECT_EQ(FaceColor(b), kWhite);
}

TEST_F(ButtonTest, TransparentLeavesOutTheTopLeftColourAndShowsTheParentIncludingItsControls) {
    form_->Create<ColorBlock>(RGB(10, 220, 30)).SetBounds(10, 10, 30, 30);
    auto& b = AddButton(L"A", 10, 10, false);
    fw::Bitmap pic(60, 30, 24);
    pic.Fill(RGB(255, 0, 255));
    for (int y = 10; y < 20; ++y)
        for (int x = 40; x < 50; ++x)
            pic.SetPixel(x, y, kNormal);
    fw::Picture p;
    p.SetBitmap(pic);
    b.SetPicNormal(p);
    EXPECT_EQ(FaceColor(b, 5, 5), RGB(255, 0, 255)) << "opaque without Transparent";
    b.SetTransparent(true);
    EXPECT_TRUE(b.PictureTransparent());
    fw::Bitmap f = Face(b);
    EXPECT_EQ(f.Pixel(5, 5), RGB(10, 220, 30)) << "the parent's windowless control shows through";
    EXPECT_EQ(f.Pixel(35, 5), kFormColor) << "the parent's own colour shows through";
    EXPECT_EQ(f.Pixel(45, 15), kNormal);
    EXPECT_EQ(ScreenFace(b).Pixel(5, 5), RGB(10, 220, 30));
}

TEST_F(ButtonTest, BlankCaptionDrawsNothingAndAVisibleCaptionIsCentred) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetCaption(L" \t  ");
    EXPECT_EQ(CountPixels(Face(b), kNormal), 60 * 30);
    b.SetCaption(L"Go");
    const fw::Bitmap f = Face(b);
    EXPECT_GT(CountPixels(f, RGB(0, 0, 0)), 5) << "drawn in the font's colour";
    const RECT ink = InkBox(f, kNormal);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 30, 3);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 15, 4);
}

TEST_F(ButtonTest, PressedCaptionSitsOnePixelDownAndRight) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetCaption(L"Go");
    const RECT up = InkBox(Face(b), kNormal);
    Press(b);
    const RECT down = InkBox(Face(b), kNormal);
    EXPECT_EQ(down.left, up.left + 1);
    EXPECT_EQ(down.top, up.top + 1);
}

TEST_F(ButtonTest, DisabledCaptionIsEngravedWhiteUnderGrey) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetCaption(L"Go");
    const RECT enabledInk = InkBox(Face(b), kNormal);
    b.SetEnabled(false);
    const fw::Bitmap f = Face(b);
    const COLORREF grey = RGB(128, 128, 128);
    EXPECT_GT(CountPixels(f, grey), 5);
    EXPECT_GT(CountPixels(f, kWhite), 5);
    EXPECT_EQ(CountPixels(f, RGB(0, 0, 0)), 0);
    // Every grey pixel's white twin lies one pixel down and right, unless grey covers it.
    int twins = 0, greys = 0;
    for (int y = 0; y + 1 < f.Height(); ++y)
        for (int x = 0; x + 1 < f.Width(); ++x)
            if (f.Pixel(x, y) == grey) {
                ++greys;
                const COLORREF t = f.Pixel(x + 1, y + 1);
                twins += t == kWhite || t == grey;
            }
    EXPECT_EQ(twins, greys);
    const RECT ink = InkBox(f, kNormal);
    EXPECT_EQ(ink.left, enabledInk.left) << "the grey layer sits where the enabled caption does";
    EXPECT_EQ(ink.right, enabledInk.right + 1);
}

TEST_F(ButtonTest, FontChangeRepaintsTheCaptionInTheNewColour) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetCaption(L"Go");
    fw::Font font = b.GetFont();
    font.color = RGB(0, 0, 255);
    b.SetFont(font);
    EXPECT_GT(CountPixels(ScreenFace(b), RGB(0, 0, 255)), 5);
}

TEST_F(ButtonTest, FocusFrameOnlyWithDrawFocusedAtTheMargin) {
    auto& b = AddButton(L"A", 10, 10, false);
    b.SetFocus();
    ASSERT_TRUE(WaitFocus(b));
    EXPECT_EQ(CountPixels(Face(b), kNormal), 60 * 30) << "no frame without DrawFocused";
    b.SetDrawFocused(true);
    b.SetFocusedRectMargin(5);
    const fw::Bitmap f = Face(b);
    EXPECT_EQ(f.Pixel(4, 15), kNormal);
    EXPECT_EQ(f.Pixel(15, 4), kNormal);
    const RECT ink = InkBox(f, kNormal);
    EXPECT_EQ(ink.left, 5);
    EXPECT_EQ(ink.top, 5);
    EXPECT_EQ(ink.right, 60 - 5 - 1);
    EXPECT_EQ(ink.bottom, 30 - 5 - 1);
    b.SetTabStop(false);
    b.Repaint();
    EXPECT_EQ(CountPixels(Face(b), kNormal), 60 * 30) << "no frame without TabStop";
}
