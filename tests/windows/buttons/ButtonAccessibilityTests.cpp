// What a picture button tells assistive technology and when, and the keyboard's
// focus cue that it draws only while its form shows focus cues.
#include "ButtonFixture.h"

#include "framework/AccessibleObject.h"

using namespace buttons_test;
using namespace testing_support;

namespace {

constexpr COLORREF kCueOuter = RGB(10, 20, 30);
constexpr COLORREF kCueInner = RGB(250, 240, 230);

// Pixels of the face that are not the normal picture's colour.
int ForeignPixels(controls::TSkinCustomButton& b) {
    const fw::Bitmap face = Face(b);
    int n = 0;
    for (int y = 0; y < face.Height(); ++y)
        for (int x = 0; x < face.Width(); ++x)
            n += face.Pixel(x, y) != kNormal;
    return n;
}

} // namespace

TEST_F(ButtonTest, DefaultActionClicksAfterTheClientsCallReturnsAndTheObjectDiesWithTheWindow) {
    auto& b = AddButton(L"A", 10, 10);
    std::vector<bool> fromKeyboard;
    b.OnClick = [&](fw::Control&) { fromKeyboard.push_back(b.ClickedFromKeyboard()); };
    AccessiblePtr acc(fw::AccessibleObjectOf(b));
    ASSERT_EQ(acc->accDoDefaultAction(ChildId(CHILDID_SELF)), S_OK);
    EXPECT_TRUE(fromKeyboard.empty()) << "a menu or dialog that the click opens must not hold the client up";
    ASSERT_TRUE(PumpUntil([&] { return !fromKeyboard.empty(); }));
    ClickAt(b, 5, 5);
    EXPECT_EQ(fromKeyboard, (std::vector<bool>{true, false}))
        << "a menu dropped by the mouse selects nothing";

    b.DestroyHandle();
    BSTR name = nullptr;
    EXPECT_EQ(acc->get_accName(ChildId(CHILDID_SELF), &name), CO_E_OBJNOTCONNECTED);
    form_.reset(); // the control itself is freed now
    EXPECT_EQ(acc->accDoDefaultAction(ChildId(CHILDID_SELF)), CO_E_OBJNOTCONNECTED);
    IDispatch* parent = nullptr;
    EXPECT_EQ(acc->get_accParent(&parent), CO_E_OBJNOTCONNECTED);
}

TEST_F(ButtonTest, StatesPlaceAndTheirChangeEventsFollowTheButtonAndOnlyItsChanges) {
    auto& a = AddButton(L"A", 10, 10);
    auto& b = AddButton(L"B", 100, 10);
    AccessiblePtr acc(fw::AccessibleObjectOf(b));
    ASSERT_TRUE(acc);
    RECT window;
    ::GetWindowRect(b.Handle(), &window);
    const auto at = Facts(acc.get());
    EXPECT_TRUE(::EqualRect(&at.location, &window));
    EXPECT_EQ(at.states, STATE_SYSTEM_FOCUSABLE);
    a.SetFocus();
    ASSERT_TRUE(WaitFocus(a));
    WinEventLog log;
    Key(VK_TAB, true);
    Key(VK_TAB, false);
    ASSERT_TRUE(WaitFocus(b));
    MoveTo(b, 5, 5);
    Key(VK_SPACE, true);
    EXPECT_EQ(Facts(acc.get()).states,
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_PRESSED);
    EXPECT_GE(log.Count(EVENT_OBJECT_FOCUS, b.Handle()), 1);
    EXPECT_EQ(log.Count(EVENT_OBJECT_STATECHANGE, a.Handle()), 1) << "no longer focused";
    EXPECT_EQ(log.Count(EVENT_OBJECT_STATECHANGE, b.Handle()), 3) << "focused, hot, pressed";
    b.SetFocusedRectMargin(3); // repaints, changes no state
    PumpFor(50);
    EXPECT_EQ(log.Count(EVENT_OBJECT_STATECHANGE, b.Handle()), 3);
    Key(VK_SPACE, false);
    b.SetEnabled(false);
    EXPECT_EQ(Facts(acc.get()).states & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE),
              STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(ButtonTest, KeyboardFocusCueShowsOnlyWhileTheFormShowsFocusCuesAndStaysInsideTheButton) {
    auto& b = AddButton(L"A", 10, 10);
    b.SetKeyboardFocusCue(controls::TSkinFocusCue{kCueOuter, kCueInner, 2, 4});
    b.SetFocus();
    ASSERT_TRUE(WaitFocus(b));
    auto hideCues = [&] {
        ::SendMessageW(form_->Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
    };
    hideCues();
    EXPECT_EQ(ForeignPixels(b), 0) << "the mouse user sees the picture alone";
    Key(VK_TAB, true); // keyboard navigation (onto the only button again) shows the cues
    Key(VK_TAB, false);
    const fw::Bitmap face = Face(b);
    const int mid = face.Width() / 2;
    EXPECT_EQ(face.Pixel(mid, 1), kNormal) << "inside the bounds, by the margin";
    EXPECT_EQ(face.Pixel(mid, 3), kCueOuter);
    EXPECT_EQ(face.Pixel(mid, 4), kCueInner);
    EXPECT_EQ(face.Pixel(mid, 5), kNormal);
    EXPECT_EQ(face.Pixel(face.Width() - 3, face.Height() / 2), kCueOuter);
    EXPECT_EQ(face.Pixel(face.Width() - 2, face.Height() / 2), kNormal);
    b.SetDrawFocused(true);
    EXPECT_NE(Face(b).Pixel(mid, 4), kCueInner) << "the dotted frame instead";
    b.SetDrawFocused(false);
    hideCues();
    EXPECT_EQ(ForeignPixels(b), 0);
    BOOL saved = FALSE;
    ::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &saved, 0);
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(TRUE), 0);
    EXPECT_EQ(Face(b).Pixel(mid, 2), kCueOuter) << "the system's setting always shows them";
    ::SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(saved)), 0);
}
