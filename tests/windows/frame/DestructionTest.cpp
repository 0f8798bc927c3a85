// Tearing down a form while its controls are busy: the focus on a windowed
// child, the mouse captured by a windowless one, the application tracking the
// control under the mouse.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "framework/Application.h"

#include <gtest/gtest.h>

#include <memory>

using namespace frame_tests;
using testing_support::MouseButton;
using testing_support::MoveMouse;
using testing_support::PumpFor;
using testing_support::PumpIdle;
using testing_support::PumpUntil;

namespace {

struct BusyForm {
    std::unique_ptr<HookedForm> form = std::make_unique<HookedForm>();
    fw::WinControl* edit = nullptr;
    fw::WinControl* panel = nullptr;
    fw::Control* inner = nullptr;
    fw::Control* catcher = nullptr;
    fw::Control* other = nullptr;

    BusyForm() {
        edit = &form->Create<fw::WinControl>();
        edit->SetBounds(10, 10, 100, 30);
        edit->SetTabStop(true);
        panel = &form->Create<fw::WinControl>();
        panel->SetBounds(10, 60, 100, 100);
        inner = &panel->Create<fw::Control>();
        inner->SetBounds(5, 5, 50, 50);
        catcher = &form->Create<fw::Control>();
        catcher->SetBounds(150, 10, 100, 80);
        other = &form->Create<fw::Control>();
        other->SetBounds(150, 100, 100, 80);
        ShowAt(*form, 300, 300, 300, 200);
    }
};

} // namespace

TEST(Destruction, FormGoesWhileAChildHasTheFocusAndAnotherHoldsTheCapture) {
    BusyForm f;
    f.edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == f.edit->Handle(); }));
    EXPECT_EQ(f.form->FocusedControl(), f.edit);

    MoveMouse(300 + 200, 300 + 50);
    MouseButton(true, true);
    ASSERT_TRUE(PumpUntil([&] { return f.form->CapturedChild() == f.catcher; }));
    HWND wnd = f.form->Handle();
    EXPECT_EQ(::GetCapture(), wnd);
    PumpIdle();
    EXPECT_EQ(fw::Application::Instance().MouseControl(), f.catcher);

    f.form.reset();
    EXPECT_EQ(fw::Application::Instance().MouseControl(), nullptr);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_EQ(::GetCapture(), nullptr);
    // The loop goes on with the button released over where the form was.
    MouseButton(true, false);
    PumpFor(100);
    fw::Application::Instance().Idle();
    MoveMouse(20, 20);
    EXPECT_EQ(fw::Application::Instance().MouseControl(), nullptr);
}

TEST(Destruction, FormGoesWhileTheMouseIsOverANestedWindowlessControl) {
    BusyForm f;
    MoveMouse(300 + 10 + 5 + 20, 300 + 60 + 5 + 20);
    PumpIdle();
    ASSERT_EQ(fw::Application::Instance().MouseControl(), f.inner);
    f.panel->SetFocus();
    PumpUntil([&] { return ::GetFocus() == f.panel->Handle(); });
    f.form.reset();
    EXPECT_EQ(fw::Application::Instance().MouseControl(), nullptr);
    PumpFor(50);
}

TEST(Destruction, ChildDestroyedAloneLeavesTheFormConsistent) {
    BusyForm f;
    f.edit->SetFocus();
    PumpUntil([&] { return ::GetFocus() == f.edit->Handle(); });
    MoveMouse(300 + 200, 300 + 50);
    MouseButton(true, true);
    ASSERT_TRUE(PumpUntil([&] { return f.form->CapturedChild() == f.catcher; }));
    PumpIdle();
    ASSERT_EQ(fw::Application::Instance().MouseControl(), f.catcher);

    // The capture holder goes: the form forgets it, and so does the application.
    auto& list = const_cast<std::vector<std::unique_ptr<fw::Control>>&>(f.form->Controls());
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it->get() == f.catcher) {
            list.erase(it);
            break;
        }
    EXPECT_EQ(f.form->CapturedChild(), nullptr);
    EXPECT_EQ(fw::Application::Instance().MouseControl(), nullptr);
    MouseButton(true, false);
    PumpFor(100);
}
