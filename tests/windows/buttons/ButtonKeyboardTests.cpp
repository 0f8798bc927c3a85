// Space and Enter on the focused button, the form's dialog keys (Enter for
// the default button, Escape for the cancel button) and accelerators.
#include "ButtonFixture.h"

using namespace buttons_test;
using testing_support::PumpFor;
using Events = std::vector<std::string>;

TEST_F(ButtonTest, SpaceHeldWithKeyRepeatShowsPressedAndClicksOnceAtRelease) {
    auto& b = AddButton(L"A", 10, 10);
    b.SetFocus();
    ASSERT_TRUE(WaitFocus(b));
    Key(VK_SPACE, true);
    EXPECT_TRUE(b.MousePressed());
    EXPECT_EQ(FaceColor(b), kMouseDown);
    for (int i = 0; i < 5; ++i)
        Key(VK_SPACE, true); // auto-repeat: more key-downs, no key-up
    EXPECT_EQ(clicks_, 0);
    Key(VK_SPACE, false);
    EXPECT_EQ(clicks_, 1);
    EXPECT_FALSE(b.MousePressed());
    EXPECT_EQ(FaceColor(b), kNormal);
}

TEST_F(ButtonTest, KeyDownHandlerCancellingSpaceKeepsTheButtonUp) {
    auto& b = AddButton(L"A", 10, 10);
    b.OnKeyDown = [](fw::Control&, WORD& key, fw::ShiftState) {
        if (key == VK_SPACE)
            key = 0;
    };
    b.SetFocus();
    ASSERT_TRUE(WaitFocus(b));
    Key(VK_SPACE, true);
    EXPECT_FALSE(b.MousePressed());
    Key(VK_SPACE, false);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(ButtonTest, EnterWithoutDefaultButtonWorksLikeSpaceOnTheFocusedButton) {
    auto& a = AddButton(L"A", 10, 10);
    AddButton(L"B", 100, 10);
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    Key(VK_RETURN, true);
    EXPECT_TRUE(a.MousePressed());
    EXPECT_EQ(FaceColor(a), kMouseDown);
    EXPECT_EQ(clicks_, 0);
    Key(VK_RETURN, false);
    EXPECT_EQ(TakeLog(), (Events{"A.click"}));
}

TEST_F(ButtonTest, EnterClicksTheDefaultButtonWhicheverButtonHasTheFocus) {
    auto& a = AddButton(L"A", 10, 10);
    auto& d = AddButton(L"D", 100, 10);
    d.SetDefault(true);
    EXPECT_TRUE(d.AcceptsEnter()) << "setting Default tells every control of the form";
    EXPECT_FALSE(a.AcceptsEnter());
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    Key(VK_RETURN, true);
    EXPECT_FALSE(a.MousePressed()) << "the handled dialog key never reaches the focused button";
    Key(VK_RETURN, false);
    EXPECT_EQ(TakeLog(), (Events{"D.click"}));
    d.SetFocus();
    ASSERT_TRUE(WaitFocus(d));
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(TakeLog(), (Events{"D.click"}));
}

TEST_F(ButtonTest, EscapeClicksTheCancelButtonButNotWithoutCancel) {
    auto& a = AddButton(L"A", 10, 10);
    auto& c = AddButton(L"C", 100, 10);
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    EXPECT_EQ(clicks_, 0);
    c.SetCancel(true);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    EXPECT_EQ(TakeLog(), (Events{"C.click"}));
}

TEST_F(ButtonTest, DialogKeysWithShiftCtrlOrAltDoNotClickTheDefaultOrCancelButton) {
    auto& a = AddButton(L"A", 10, 10);
    auto& d = AddButton(L"D", 100, 10);
    d.SetDefault(true);
    d.SetCancel(true);
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    for (WORD modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        Key(modifier, true);
        Key(VK_RETURN, true);
        Key(VK_RETURN, false);
        Key(VK_ESCAPE, true);
        Key(VK_ESCAPE, false);
        Key(modifier, false);
        // The unhandled Enter reaches the focused button as a key; with Alt it
        // is a system key, which presses nothing.
        const Events expected = modifier == VK_MENU ? Events{} : Events{"A.click"};
        EXPECT_EQ(TakeLog(), expected) << "modifier " << modifier;
    }
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(TakeLog(), (Events{"D.click"}));
}

TEST_F(ButtonTest, DefaultButtonThatCannotTakeTheFocusIgnoresEnter) {
    auto& a = AddButton(L"A", 10, 10);
    auto& d = AddButton(L"D", 100, 10);
    d.SetDefault(true);
    d.SetVisible(false);
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    EXPECT_EQ(TakeLog(), (Events{"A.click"})) << "Enter went on to the focused button as a key";
}

TEST_F(ButtonTest, AcceleratorCharacterClicksRegardlessOfCase) {
    auto& a = AddButton(L"A", 10, 10);
    auto& b = AddButton(L"B", 100, 10);
    b.SetCaption(L"&Go");
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    Key('G', true);
    Key('G', false);
    EXPECT_EQ(TakeLog(), (Events{"B.click"}));
    Key(VK_MENU, true);
    Key('G', true);
    Key('G', false);
    Key(VK_MENU, false);
    EXPECT_EQ(TakeLog(), (Events{"B.click"})) << "Alt+G arrives as a system character";
    Key('X', true);
    Key('X', false);
    b.SetEnabled(false);
    Key('G', true);
    Key('G', false);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(ButtonTest, TabMovesTheFocusToTheNextButtonAndRepaintsBoth) {
    auto& a = AddButton(L"A", 10, 10);
    auto& b = AddButton(L"B", 100, 10);
    a.SetDrawFocused(true);
    b.SetDrawFocused(true);
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    const auto framed = [](controls::TSkinCustomButton& x) {
        const fw::Bitmap f = ScreenFace(x);
        for (int px = 0; px < f.Width(); ++px)
            if (f.Pixel(px, 2) != kNormal)
                return true;
        return false;
    };
    EXPECT_TRUE(framed(a)) << "focus frame at the margin";
    Key(VK_TAB, true);
    Key(VK_TAB, false);
    ASSERT_TRUE(WaitFocus(b));
    EXPECT_FALSE(framed(a));
    EXPECT_TRUE(framed(b));
}
