#include "ButtonFixture.h"

#include <utility>

namespace buttons_test {

using testing_support::PumpFor;
using testing_support::PumpIdle;
using testing_support::PumpUntil;

fw::Picture SolidPicture(int w, int h, COLORREF c) {
    fw::Bitmap bmp(w, h, 24);
    bmp.Fill(c);
    fw::Picture p;
    p.SetBitmap(bmp);
    return p;
}

fw::Bitmap Face(controls::TSkinCustomButton& b) {
    fw::Bitmap bmp(std::max(b.Width(), 1), std::max(b.Height(), 1), 24);
    {
        fw::BitmapCanvas canvas(bmp);
        ::SendMessageW(b.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Handle()), PRF_CLIENT);
        ::GdiFlush();
    }
    return bmp;
}

COLORREF FaceColor(controls::TSkinCustomButton& b, int x, int y) {
    return Face(b).Pixel(x, y);
}

POINT ScreenPoint(fw::WinControl& c, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(c.Handle(), &p);
    return p;
}

fw::Bitmap ScreenFace(controls::TSkinCustomButton& b) {
    const POINT p = ScreenPoint(b, 0, 0);
    // Wine copies a window's painted pixels to the X server from its message
    // loop, not at the end of the paint, so the screen lags a little.
    if (testing_support::RunningUnderWine())
        PumpFor(120);
    return testing_support::CaptureScreen(RECT{p.x, p.y, p.x + b.Width(), p.y + b.Height()});
}

void ButtonTest::SetUp() {
    MoveOff();
    form_ = std::make_unique<fw::Form>();
    form_->SetBorderStyle(fw::BorderStyle::None);
    form_->SetColor(kFormColor);
    form_->SetBounds(200, 200, 400, 200);
    form_->Show();
    ASSERT_TRUE(PumpUntil([&] { return form_->Active() && ::GetForegroundWindow() == form_->Handle(); }));
}

// Destroying a top-level window takes Wine about 2 s here: with no window
// manager on the virtual display it waits for a withdrawn state that never comes.
void ButtonTest::TearDown() {
    MoveOff();
    LeftUp();
    PumpIdle();
    form_.reset();
    PumpIdle();
}

controls::TSkinImageButton& ButtonTest::AddButton(const std::wstring& name, int x, int y, bool allPictures) {
    auto& b = form_->Create<controls::TSkinImageButton>();
    b.SetName(name);
    b.SetBounds(x, y, 60, 30);
    b.SetPicNormal(SolidPicture(60, 30, kNormal));
    if (allPictures) {
        b.SetPicMouseOn(SolidPicture(60, 30, kMouseOn));
        b.SetPicMouseDown(SolidPicture(60, 30, kMouseDown));
        b.SetPicDisabled(SolidPicture(60, 30, kDisabled));
    }
    const std::string n(name.begin(), name.end());
    b.OnMouseEnter = [this, n](fw::Control&) { Log(n + ".enter"); };
    b.OnMouseExit = [this, n](fw::Control&) { Log(n + ".exit"); };
    b.OnClick = [this, n](fw::Control&) {
        ++clicks_;
        Log(n + ".click");
    };
    PumpIdle();
    return b;
}

void ButtonTest::MoveTo(fw::WinControl& c, int x, int y) {
    const POINT p = ScreenPoint(c, x, y);
    testing_support::MoveMouse(p.x, p.y);
    PumpUntil([&] {
        POINT now;
        ::GetCursorPos(&now);
        return now.x == p.x && now.y == p.y;
    });
    PumpFor(30);
}

void ButtonTest::MoveOff() {
    testing_support::MoveMouse(5, 1000);
    PumpFor(30);
}

void ButtonTest::LeftDown() {
    testing_support::MouseButton(true, true);
    PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; }, 1000);
    PumpFor(30);
}

void ButtonTest::LeftUp() {
    testing_support::MouseButton(true, false);
    PumpUntil([] { return ::GetAsyncKeyState(VK_LBUTTON) >= 0; }, 1000);
    PumpFor(30);
}

void ButtonTest::ClickAt(fw::WinControl& c, int x, int y) {
    MoveTo(c, x, y);
    LeftDown();
    LeftUp();
}

void ButtonTest::Key(WORD vk, bool down) {
    testing_support::KeyPress(vk, down);
    PumpFor(40);
}

bool ButtonTest::WaitFocus(fw::WinControl& c) {
    return PumpUntil([&] { return ::GetFocus() == c.Handle(); });
}

} // namespace buttons_test
