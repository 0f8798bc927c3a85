// A click copies the button's modal result into its form; a modal form ends
// once OnClick has returned with a result that is not 0.
#include "ButtonFixture.h"

using namespace buttons_test;

namespace {

// Clicks the button with real input once its modal form is active, from a
// thread timer that the modal loop dispatches.
struct ModalDriver {
    static inline controls::TSkinImageButton* button = nullptr;
    static inline fw::Form* form = nullptr;
    static inline int step = 0;
    static inline int ticksInStep = 0;
    static inline bool stillOpenAfterClick = false;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        ++ticksInStep;
        switch (step) {
        case 0: // wait for the modal form to be active, then press over the button
            if (!form->Active() || ::GetForegroundWindow() != form->HandleIfAllocated() || ticksInStep < 3)
                return;
            {
                const POINT p = ScreenPoint(*button, 10, 10);
                ::SetCursorPos(p.x, p.y);
                testing_support::MouseButton(true, true);
                testing_support::MouseButton(true, false);
            }
            Next();
            return;
        case 1: // give the click time to land; a form still open is closed
            if (ticksInStep < 10)
                return;
            stillOpenAfterClick = form->Visible();
            form->Close();
            ::KillTimer(nullptr, id);
            Next();
            return;
        default:
            return;
        }
    }
    static void Next() {
        ++step;
        ticksInStep = 0;
    }
};

int ShowWithButtonResult(int modalResult, int& clicks, int& formResultInClick) {
    fw::Form form;
    form.SetBorderStyle(fw::BorderStyle::None);
    form.SetBounds(300, 300, 200, 100);
    auto& b = form.Create<controls::TSkinImageButton>();
    b.SetBounds(10, 10, 60, 30);
    b.SetPicNormal(SolidPicture(60, 30, kNormal));
    b.SetModalResult(modalResult);
    b.OnClick = [&](fw::Control&) {
        ++clicks;
        formResultInClick = form.ModalResult();
    };
    ModalDriver::button = &b;
    ModalDriver::form = &form;
    ModalDriver::step = 0;
    ModalDriver::ticksInStep = 0;
    ModalDriver::stillOpenAfterClick = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &ModalDriver::Tick);
    const int result = form.ShowModal();
    ::KillTimer(nullptr, timer);
    return result;
}

} // namespace

TEST_F(ButtonTest, ClickWithModalResultEndsTheModalFormWithThatResultAfterOnClick) {
    int clicks = 0, inClick = -1;
    EXPECT_EQ(ShowWithButtonResult(fw::mrOk, clicks, inClick), fw::mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(inClick, fw::mrOk) << "the result is set before OnClick runs";
}

TEST_F(ButtonTest, ClickWithModalResultZeroKeepsTheModalFormOpen) {
    int clicks = 0, inClick = -1;
    EXPECT_EQ(ShowWithButtonResult(0, clicks, inClick), fw::mrCancel) << "ended only by Close";
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(ModalDriver::stillOpenAfterClick);
}

TEST_F(ButtonTest, ButtonOnNoFormStillClicks) {
    controls::TSkinImageButton loose(nullptr);
    int clicks = 0;
    loose.OnClick = [&](fw::Control&) { ++clicks; };
    loose.SetModalResult(fw::mrOk);
    loose.Click();
    EXPECT_EQ(clicks, 1);
}
