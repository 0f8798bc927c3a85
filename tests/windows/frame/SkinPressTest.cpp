// Presses on the skin: every button runs OnMouseDown first, in control
// coordinates; the left button then hands the form a caption press, and
// dragging the face with any button moves the window by the distance the
// mouse went, until that button is released.
#include "FrameSupport.h"
#include "TestSupport.h"

#include "controls/SkinForm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>

using namespace frame_tests;
using controls::TSkinForm;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

const char* ButtonName(fw::MouseButton b) {
    return b == fw::MouseButton::Left ? "L" : b == fw::MouseButton::Right ? "R" : "M";
}

class SkinPress : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<HookedForm>();
        skin_ = &form_->Create<TSkinForm>();
        fw::Bitmap glyph = SolidGlyph(200, 120, RGB(90, 90, 160));
        skin_->SetGlyph(&glyph);
        skin_->OnMouseDown = [this](fw::Control&, fw::MouseButton b, fw::ShiftState, int x, int y) {
            std::ostringstream s;
            s << "down " << ButtonName(b) << " " << x << " " << y;
            log_.push_back(s.str());
        };
        form_->hook = [this](UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
            switch (msg) {
            case WM_NCLBUTTONDOWN: {
                std::ostringstream s;
                s << "caption " << wp << " " << lp << (::GetCapture() ? " captured" : " released");
                log_.push_back(s.str());
                if (swallowCaption_)
                    return 0;
                break;
            }
            case WM_ENTERSIZEMOVE:
                inMove_ = true;
                ++moveLoops_;
                break;
            case WM_EXITSIZEMOVE:
                inMove_ = false;
                break;
            default:
                break;
            }
            return std::nullopt;
        };
    }
    void TearDown() override {
        SendMouseButton(true, false);
        form_.reset();
        PumpFor(50);
    }

    // Presses at the face's point (60, 50), drags by (dx, dy) in steps from a
    // second thread while the system's move loop runs here, and releases.
    void Drag(bool left, int dx, int dy) {
        ShowAt(*form_, 200, 200, 200, 120);
        origin_ = {200, 200};
        testing_support::MoveMouse(origin_.x + 60, origin_.y + 50);
        PumpFor(50);
        {
            InputScript script([&, left] {
                for (int i = 0; i < 300 && !inMove_; ++i)
                    ::Sleep(10);
                for (int i = 1; i <= 6; ++i) {
                    SendMouseMove(origin_.x + 60 + dx * i / 6, origin_.y + 50 + dy * i / 6);
                    ::Sleep(40);
                }
                ::Sleep(100);
                SendMouseButton(left, false);
                // The move ends with the left button; Enter accepts the place
                // reached, should a release of another button not end it.
                for (int i = 0; i < 100 && inMove_; ++i)
                    ::Sleep(10);
                if (inMove_) {
                    releaseEndedMove_ = false;
                    SendKey(VK_RETURN);
                }
                for (int i = 0; i < 100 && inMove_; ++i)
                    ::Sleep(10);
                if (inMove_)
                    SendMouseButton(true, false);
                // Last resort, so that a broken press fails instead of hanging.
                for (int i = 0; i < 100 && inMove_; ++i)
                    ::Sleep(10);
                if (inMove_)
                    SendKey(VK_ESCAPE);
            });
            SendMouseButton(left, true);
            PumpUntil([&] { return script.Done() && !inMove_; }, 10000);
        }
        PumpFor(100);
    }
    POINT WindowPos() {
        RECT r{};
        ::GetWindowRect(form_->Handle(), &r);
        return {r.left, r.top};
    }

    std::unique_ptr<HookedForm> form_;
    TSkinForm* skin_ = nullptr;
    std::vector<std::string> log_;
    bool swallowCaption_ = false;
    std::atomic<bool> inMove_{false};
    std::atomic<bool> releaseEndedMove_{true};
    int moveLoops_ = 0;
    POINT origin_{};
};

} // namespace

TEST_F(SkinPress, EveryButtonRunsOnMouseDownInControlCoordinatesTheLeftThenTheCaptionPress) {
    swallowCaption_ = true; // the order is the point here, not the system's move
    HWND wnd = form_->Handle();
    skin_->SetBounds(10, 10, 150, 80); // off the origin, so control and form coordinates differ
    struct Press {
        UINT msg, release;
        WPARAM keys;
        const char* button;
        bool caption;
    };
    for (Press p :
         {Press{WM_LBUTTONDOWN, 0, MK_LBUTTON, "L", true}, Press{WM_LBUTTONDBLCLK, 0, MK_LBUTTON, "L", true},
          Press{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, "R", false},
          Press{WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, "M", false}}) {
        log_.clear();
        moveLoops_ = 0;
        if (p.release) // already waiting when the press's own move starts
            ::PostMessageW(wnd, p.release, 0, MAKELPARAM(60, 50));
        ::SendMessageW(wnd, p.msg, p.keys, MAKELPARAM(60, 50));
        std::vector<std::string> want{std::string("down ") + p.button + " 50 40"};
        if (p.caption)
            want.push_back("caption 2 0 released");
        EXPECT_EQ(log_, want) << "message " << std::hex << p.msg;
        EXPECT_EQ(moveLoops_, p.caption ? 0 : 1) << "a move of the skin's own for another button";
        EXPECT_EQ(::GetCapture(), nullptr) << "no capture is left behind";
    }
}

TEST_F(SkinPress, DraggingTheFaceWithTheLeftButtonMovesTheWindowByTheDragDistance) {
    Drag(true, 60, 42);
    ASSERT_GE(log_.size(), 2u);
    EXPECT_EQ(log_[0], "down L 60 50");
    EXPECT_EQ(log_[1], "caption 2 0 released");
    EXPECT_EQ(moveLoops_, 1) << "the caption press runs the system's move";
    EXPECT_TRUE(releaseEndedMove_);
    const POINT p = WindowPos();
    EXPECT_EQ(p.x, origin_.x + 60);
    EXPECT_EQ(p.y, origin_.y + 42);
    EXPECT_EQ(form_->Left(), p.x) << "the form's bounds follow the system's move";
    EXPECT_EQ(form_->Top(), p.y);
}

TEST_F(SkinPress, DraggingTheFaceWithTheRightButtonMovesTheWindowUntilItsRelease) {
    Drag(false, -50, 30);
    ASSERT_EQ(log_, std::vector<std::string>{"down R 60 50"}) << "no caption press for the right button";
    EXPECT_EQ(moveLoops_, 1);
    EXPECT_TRUE(releaseEndedMove_) << "the right button's release ended the move";
    EXPECT_EQ(::GetCapture(), nullptr);
    const POINT p = WindowPos();
    EXPECT_EQ(p.x, origin_.x - 50);
    EXPECT_EQ(p.y, origin_.y + 30);
    EXPECT_EQ(form_->Left(), p.x);
    // The pointer moving on afterwards moves nothing.
    testing_support::MoveMouse(origin_.x + 200, origin_.y + 150);
    PumpFor(100);
    const POINT after = WindowPos();
    EXPECT_EQ(after.x, p.x);
    EXPECT_EQ(after.y, p.y);
}
