// Helpers of the frame tests: window shapes as pixel sets, a form that lets a
// test watch (or answer) its messages, synthetic glyphs, input played from a
// second thread while the UI thread sits in a system loop, and import-table
// hooks that show which region calls the program's own code makes.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/Handles.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace frame_tests {

// One horizontal span of a shape, both ends included.
struct Span {
    int y, left, right;
};
std::vector<bool> SpanPixels(const std::vector<Span>& spans, int w, int h);
std::vector<bool> RectPixels(const RECT& r, int w, int h);
// "" when equal; otherwise how many pixels differ and the first of them.
std::string PixelSetDifference(const std::vector<bool>& got, const std::vector<bool>& want, int w);

// GetWindowRgn's result: ERROR when the window has no region of its own.
int WindowRegionType(HWND wnd);
// The window's region as a pixel set over w x h (all false when empty or absent).
std::vector<bool> WindowRegionPixels(HWND wnd, int w, int h);

SIZE ClientSizeOf(HWND wnd);

// A picture filled with one colour, or with a pattern that differs in every pixel.
fw::Bitmap SolidGlyph(int w, int h, COLORREF c, int bpp = 24);
fw::Bitmap PatternGlyph(int w, int h);
inline COLORREF PatternPixel(int x, int y) {
    return RGB((x * 7 + y) & 0xFF, (y * 5 + 40) & 0xFF, (x * 3 + y * 11 + 90) & 0xFF);
}

// A 32-bit top-down DIB selected into a memory DC, for painting through a
// window's WM_PAINT-with-DC path and reading the result back.
class DibSurface {
public:
    DibSurface(int w, int h, COLORREF fill);
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;
    HDC dc() const noexcept { return dc_.get(); }
    COLORREF Pixel(int x, int y) const noexcept;

private:
    fw::UniqueDC dc_;
    fw::UniqueBitmap bmp_;
    std::optional<fw::ScopedSelect> selection_; // undone before the bitmap and the DC go
    std::uint32_t* bits_ = nullptr;
    int w_, h_;
};

// A form whose messages a test can watch; a hook that returns a value answers
// the message instead of the form.
class HookedForm : public fw::Form {
public:
    using Hook = std::function<std::optional<LRESULT>(UINT msg, WPARAM wp, LPARAM lp)>;
    explicit HookedForm(fw::Control* owner = nullptr) : fw::Form(owner) {}
    Hook hook;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// A form shown borderless at a place on the screen, for input tests.
void ShowAt(fw::Form& form, int x, int y, int w, int h);

// Input only (no pumping), safe to call from a second thread.
void SendMouseMove(int x, int y);
void SendMouseButton(bool left, bool down);
void SendKey(WORD vk);

// Runs steps on a second thread; joined on destruction.
class InputScript {
public:
    explicit InputScript(std::function<void()> steps);
    InputScript(const InputScript&) = delete;
    InputScript& operator=(const InputScript&) = delete;
    ~InputScript();
    bool Done() const noexcept { return done_; }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// Points the program's import-table entry for dll!name at replacement while it
// lives. The program's own code calls through that entry, so a test sees every
// call it makes.
class ImportHook {
public:
    ImportHook(const char* dll, const char* name, void* replacement);
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    ~ImportHook();
    bool Installed() const noexcept { return slot_ != nullptr; }
    void* Original() const noexcept { return original_; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// Watches the region calls of the program while it lives: every region made,
// every object deleted, every SetWindowRgn with its result.
class RegionWatch {
public:
    RegionWatch();
    ~RegionWatch();
    RegionWatch(const RegionWatch&) = delete;
    RegionWatch& operator=(const RegionWatch&) = delete;
    bool Installed() const noexcept;

    struct WindowRgnCall {
        HWND wnd;
        HRGN rgn;
        int result;
    };
    std::vector<HRGN> created;
    std::set<HGDIOBJ> deleted;
    std::vector<WindowRgnCall> setWindowRgn;
    // Regions made and neither deleted nor handed to a window that took them
    // (kept in step call by call, so a reused handle value is not mistaken).
    std::set<HRGN> live;

private:
    ImportHook createRect_, extCreate_, deleteObject_, setWindowRgn_;
};

} // namespace frame_tests
