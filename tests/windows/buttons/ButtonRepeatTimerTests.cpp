// The repeat timer: period max(interval, 0), first tick one period after the
// press, none at all for a period of 0, gone when the press ends.
#include "ButtonFixture.h"

using namespace buttons_test;
using testing_support::PumpFor;

namespace {

struct Ticks {
    std::vector<ULONGLONG> at;
    ULONGLONG start = 0;
};

} // namespace

class RepeatTimerTest : public ButtonTest {
protected:
    // Holds the left button on the button for holdMs and records the ticks.
    Ticks Hold(controls::TSkinImageButton& b, int holdMs) {
        Ticks t;
        b.OnMouseContinuouslyDown = [&](fw::Control&) { t.at.push_back(::GetTickCount64()); };
        MoveTo(b, 30, 15);
        testing_support::MouseButton(true, true);
        testing_support::PumpUntil([&] { return b.MousePressed(); }, 1000);
        t.start = ::GetTickCount64();
        PumpFor(holdMs);
        LeftUp();
        const size_t atRelease = t.at.size();
        PumpFor(250);
        EXPECT_EQ(t.at.size(), atRelease) << "no tick after the press ended";
        b.OnMouseContinuouslyDown = nullptr;
        return t;
    }
};

TEST_F(RepeatTimerTest, PeriodOf100TicksAbout3TimesIn350MsStartingOnePeriodAfterThePress) {
    auto& b = AddButton(L"A", 10, 10);
    const Ticks t = Hold(b, 350);
    EXPECT_GE(t.at.size(), 2u);
    EXPECT_LE(t.at.size(), 4u);
    ASSERT_FALSE(t.at.empty());
    EXPECT_GE(t.at[0] - t.start, 60u) << "no tick right at the press";
    EXPECT_FALSE(b.HasRepeatTimer());
}

TEST_F(RepeatTimerTest, PeriodOfZeroOrLessNeverTicks) {
    auto& b = AddButton(L"A", 10, 10);
    for (int interval : {0, -50}) {
        b.SetMouseContinuouslyDownInterval(interval);
        EXPECT_TRUE(Hold(b, 300).at.empty()) << "interval " << interval;
    }
}

TEST_F(RepeatTimerTest, IntervalIsReadWhenThePressStarts) {
    auto& b = AddButton(L"A", 10, 10);
    b.SetMouseContinuouslyDownInterval(0);
    b.OnMouseDown = [&](fw::Control&, fw::MouseButton, fw::ShiftState, int, int) {
        b.SetMouseContinuouslyDownInterval(30); // too late for this press
    };
    EXPECT_TRUE(Hold(b, 200).at.empty());
    b.OnMouseDown = nullptr;
    EXPECT_GE(Hold(b, 200).at.size(), 2u) << "the next press reads the new interval";
}

TEST_F(RepeatTimerTest, DraggingOffStopsTheTicks) {
    auto& b = AddButton(L"A", 10, 10);
    b.SetMouseContinuouslyDownInterval(30);
    int ticks = 0;
    b.OnMouseContinuouslyDown = [&](fw::Control&) { ++ticks; };
    MoveTo(b, 30, 15);
    LeftDown();
    PumpFor(120);
    EXPECT_GE(ticks, 1);
    MoveTo(b, 200, 100);
    const int atLeave = ticks;
    PumpFor(200);
    EXPECT_EQ(ticks, atLeave);
    LeftUp();
}

TEST_F(RepeatTimerTest, LosingTheCaptureWithoutAReleaseEndsThePressAndTheTicks) {
    auto& b = AddButton(L"A", 10, 10);
    b.SetMouseContinuouslyDownInterval(30);
    int ticks = 0;
    b.OnMouseContinuouslyDown = [&](fw::Control&) { ++ticks; };
    MoveTo(b, 30, 15);
    LeftDown();
    ASSERT_TRUE(b.MousePressed());
    // Another window takes the mouse, as a system move or a menu would.
    ::SetCapture(form_->Handle());
    EXPECT_FALSE(b.MousePressed());
    EXPECT_FALSE(b.HasRepeatTimer());
    EXPECT_EQ(FaceColor(b), kMouseOn);
    const int atLoss = ticks;
    PumpFor(150);
    EXPECT_EQ(ticks, atLoss);
    ::ReleaseCapture();
    LeftUp();
    EXPECT_EQ(clicks_, 0);
}
