// The button under real mouse input: hover, press, release, drag off and
// back, cancel mode on the focused button, double-click, disabled buttons.
#include "ButtonFixture.h"

using namespace buttons_test;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using Events = std::vector<std::string>;

TEST_F(ButtonTest, HoverShowsMouseOnPictureThenFiresEnterAndLeavingRestoresNormal) {
    auto& b = AddButton(L"A", 10, 10);
    bool paintedAtEnter = false;
    b.OnMouseEnter = [&](fw::Control&) { paintedAtEnter = !::GetUpdateRect(b.Handle(), nullptr, FALSE); };
    MoveTo(b, 20, 10);
    EXPECT_TRUE(b.MouseOver());
    EXPECT_TRUE(paintedAtEnter) << "the face is painted before the event fires";
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kMouseOn);
    b.OnMouseEnter = nullptr;
    MoveOff();
    EXPECT_FALSE(b.MouseOver());
    EXPECT_EQ(TakeLog(), (Events{"A.exit"}));
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kNormal);
}

TEST_F(ButtonTest, PressTakesFocusShowsPressedAndReleaseInsideClicksAndShowsMouseOn) {
    auto& other = AddButton(L"B", 100, 10);
    auto& b = AddButton(L"A", 10, 10);
    other.SetFocus();
    ASSERT_TRUE(WaitFocus(other));
    form_->SetModalResult(7);
    b.SetModalResult(0);
    std::vector<std::string> order;
    b.OnMouseDown = [&](fw::Control&, fw::MouseButton, fw::ShiftState, int, int) {
        order.push_back(b.MousePressed() && FaceColor(b) == kMouseDown ? "down:pressed" : "down:not-pressed");
    };
    b.OnMouseUp = [&](fw::Control&, fw::MouseButton, fw::ShiftState, int, int) { order.push_back("up"); };
    b.OnClick = [&](fw::Control&) { order.push_back(b.MousePressed() ? "click:pressed" : "click:released"); };
    MoveTo(b, 30, 15);
    LeftDown();
    EXPECT_TRUE(b.MousePressed());
    EXPECT_TRUE(b.HasRepeatTimer());
    EXPECT_EQ(::GetFocus(), b.Handle());
    EXPECT_EQ(::GetCapture(), b.Handle());
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kMouseDown);
    LeftUp();
    EXPECT_EQ(order, (Events{"down:pressed", "click:released", "up"}));
    EXPECT_FALSE(b.MousePressed());
    EXPECT_FALSE(b.HasRepeatTimer());
    EXPECT_EQ(form_->ModalResult(), 0) << "every click copies the modal result into the form";
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kMouseOn);
}

TEST_F(ButtonTest, DraggingOffAndBackFiresExitThenEnterShowsMouseOnAndReleaseClicks) {
    auto& b = AddButton(L"A", 10, 10);
    MoveTo(b, 30, 15);
    LeftDown();
    TakeLog();
    MoveTo(b, 200, 100);
    EXPECT_FALSE(b.MousePressed());
    EXPECT_FALSE(b.MouseOver());
    EXPECT_FALSE(b.HasRepeatTimer()) << "mouse leave releases the timer";
    EXPECT_EQ(FaceColor(b), kNormal);
    MoveTo(b, 30, 15);
    EXPECT_TRUE(b.MouseOver());
    EXPECT_FALSE(b.MousePressed()) << "coming back does not press again";
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kMouseOn);
    LeftUp();
    EXPECT_EQ(TakeLog(), (Events{"A.exit", "A.enter", "A.click"}));
}

TEST_F(ButtonTest, ReleasingOutsideAfterDraggingOffDoesNotClick) {
    auto& b = AddButton(L"A", 10, 10);
    MoveTo(b, 30, 15);
    LeftDown();
    MoveTo(b, 200, 100);
    LeftUp();
    EXPECT_EQ(clicks_, 0);
    EXPECT_NE(::GetCapture(), b.Handle());
    EXPECT_EQ(FaceColor(b), kNormal);
}

TEST_F(ButtonTest, PressingTheFocusedButtonGetsCancelModeFirstAndShowsNormalUntilTheCursorReturns) {
    auto& b = AddButton(L"A", 10, 10);
    ClickAt(b, 30, 15);
    ASSERT_EQ(form_->FocusedControl(), &b);
    ASSERT_TRUE(b.MouseOver());
    TakeLog();
    LeftDown();
    EXPECT_TRUE(b.MousePressed());
    EXPECT_FALSE(b.MouseOver()) << "cancel mode reached the focused button before its press";
    LeftUp();
    EXPECT_EQ(TakeLog(), (Events{"A.click"})) << "no exit for the cancel mode";
    MoveTo(b, 31, 16);
    EXPECT_EQ(FaceColor(b), kNormal) << "still over it, but shows the normal picture";
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kNormal);
    MoveOff();
    MoveTo(b, 30, 15);
    EXPECT_EQ(FaceColor(b), kMouseOn);
    EXPECT_EQ(TakeLog(), (Events{"A.exit", "A.enter"}));
}

TEST_F(ButtonTest, PressingAnotherControlSendsCancelModeToTheFocusedButton) {
    auto& a = AddButton(L"A", 10, 10);
    auto& b = AddButton(L"B", 100, 10);
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    // Held with Space, then the mouse goes down on another button.
    Key(VK_SPACE, true);
    ASSERT_TRUE(a.MousePressed());
    MoveTo(b, 30, 15);
    LeftDown();
    EXPECT_FALSE(a.MousePressed());
    LeftUp();
    Key(VK_SPACE, false);
    EXPECT_EQ(TakeLog(), (Events{"B.enter", "B.click"})) << "the cancelled Space press does not click";
}

TEST_F(ButtonTest, DoubleClickGivesTwoClicks) {
    auto& b = AddButton(L"A", 10, 10);
    MoveTo(b, 30, 15);
    TakeLog();
    testing_support::MouseButton(true, true);
    testing_support::MouseButton(true, false);
    testing_support::MouseButton(true, true);
    testing_support::MouseButton(true, false);
    EXPECT_TRUE(PumpUntil([&] { return clicks_ == 2; }, 2000));
    PumpFor(100);
    EXPECT_EQ(clicks_, 2);
}

TEST_F(ButtonTest, OtherMouseButtonsFireMouseDownButNeitherPressNorClick) {
    auto& b = AddButton(L"A", 10, 10);
    int downs = 0;
    b.OnMouseDown = [&](fw::Control&, fw::MouseButton button, fw::ShiftState, int, int) {
        downs += button == fw::MouseButton::Right;
    };
    MoveTo(b, 30, 15);
    testing_support::MouseButton(false, true);
    PumpFor(60);
    EXPECT_FALSE(b.MousePressed());
    EXPECT_FALSE(b.HasRepeatTimer());
    testing_support::MouseButton(false, false);
    PumpFor(60);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(ButtonTest, DisabledButtonShowsItsPictureAndGetsNoMouse) {
    auto& b = AddButton(L"A", 10, 10);
    b.SetEnabled(false);
    EXPECT_EQ(FaceColor(b), kDisabled);
    MoveTo(b, 30, 15);
    EXPECT_FALSE(b.MouseOver()) << "a disabled window is never under the cursor";
    LeftDown();
    LeftUp();
    EXPECT_EQ(clicks_, 0);
    EXPECT_FALSE(b.MousePressed());
    EXPECT_EQ(ScreenFace(b).Pixel(30, 15), kDisabled);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(ButtonTest, DisablingAHoveredButtonEndsItsHover) {
    auto& b = AddButton(L"A", 10, 10);
    MoveTo(b, 30, 15);
    ASSERT_TRUE(b.MouseOver());
    b.SetEnabled(false);
    MoveTo(b, 31, 15);
    EXPECT_FALSE(b.MouseOver());
    b.SetEnabled(true);
    EXPECT_EQ(FaceColor(b), kNormal);
}

TEST_F(ButtonTest, DestroyingAPressedButtonLeavesNoCaptureOrTimer) {
    auto& b = AddButton(L"A", 10, 10);
    b.SetMouseContinuouslyDownInterval(20);
    MoveTo(b, 30, 15);
    LeftDown();
    ASSERT_EQ(::GetCapture(), b.Handle());
    form_.reset();
    EXPECT_EQ(::GetCapture(), nullptr);
    PumpFor(80);
    LeftUp();
}
