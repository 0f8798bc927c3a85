// A borderless form on screen with image buttons, solid-colour pictures per
// state, an event log, and the button's face read back as pixels.
#pragma once

#include "TestSupport.h"

#include "controls/SkinButtons.h"
#include "framework/Application.h"
#include "framework/Form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace buttons_test {

constexpr fw::Color kFormColor = 0x336699;
constexpr COLORREF kNormal = RGB(200, 0, 0);
constexpr COLORREF kMouseOn = RGB(0, 200, 0);
constexpr COLORREF kMouseDown = RGB(0, 0, 200);
constexpr COLORREF kDisabled = RGB(200, 200, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

fw::Picture SolidPicture(int w, int h, COLORREF c);
// The face as the paint draws it (WM_PRINTCLIENT into a bitmap).
fw::Bitmap Face(controls::TSkinCustomButton& b);
COLORREF FaceColor(controls::TSkinCustomButton& b, int x = 2, int y = 2);
// The button's pixels as they are on the screen (pumps messages first).
fw::Bitmap ScreenFace(controls::TSkinCustomButton& b);
POINT ScreenPoint(fw::WinControl& c, int x, int y);

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A 60 x 30 image button at (x, y) with all four pictures, logging its events.
    controls::TSkinImageButton& AddButton(const std::wstring& name, int x, int y, bool allPictures = true);
    void Log(const std::string& s) { log_.push_back(s); }
    std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }

    void MoveTo(fw::WinControl& c, int x, int y);
    void MoveOff(); // a point on no window of ours
    void LeftDown();
    void LeftUp();
    // Press and release over the point, waiting for each to be handled.
    void ClickAt(fw::WinControl& c, int x, int y);
    void Key(WORD vk, bool down);
    // Waits until the focused window of the form is c.
    bool WaitFocus(fw::WinControl& c);

    std::unique_ptr<fw::Form> form_;
    std::vector<std::string> log_;
    int clicks_ = 0;
};

} // namespace buttons_test
