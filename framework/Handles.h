// Move-only owners for every GDI and USER handle the program creates, and
// scoped helpers for the device-context state that must be put back.
#pragma once

#include "SystemLibraries.h"

#include <windows.h>

#include <utility>

namespace fw {

// Owns one handle and frees it with Free on destruction. release() hands the
// handle on, e.g. to SetWindowRgn, which takes ownership only on success.
template <typename H, typename Traits> class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(H h) noexcept : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o)
            reset(std::exchange(o.h_, H{}));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != H{}; }
    H release() noexcept { return std::exchange(h_, H{}); }
    void reset(H h = H{}) noexcept {
        if (h_ != H{})
            Traits::Free(h_);
        h_ = h;
    }

private:
    H h_{};
};

struct GdiObjectTraits {
    static void Free(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
struct DcTraits {
    static void Free(HDC h) noexcept { ::DeleteDC(h); }
};
struct MenuTraits {
    static void Free(HMENU h) noexcept { ::DestroyMenu(h); }
};
struct IconTraits {
    static void Free(HICON h) noexcept { ::DestroyIcon(h); }
};
struct WindowTraits {
    static void Free(HWND h) noexcept { ::DestroyWindow(h); }
};
struct KernelObjectTraits {
    static void Free(HANDLE h) noexcept { ::CloseHandle(h); }
};
// Image lists come from the common-controls library, loaded on first use.
struct ImageListTraits {
    static void Free(HIMAGELIST h) noexcept { syslib::ImageList_Destroy(h); }
};

using UniqueRgn = UniqueHandle<HRGN, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueDC = UniqueHandle<HDC, DcTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueKernelObject = UniqueHandle<HANDLE, KernelObjectTraits>;

// A DC from GetDC / GetWindowDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_)
            ::ReleaseDC(wnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND wnd) noexcept : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { ::EndPaint(wnd_, &ps_); }
    HDC get() const noexcept { return dc_; }
    const RECT& rect() const noexcept { return ps_.rcPaint; }

private:
    HWND wnd_;
    HDC dc_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and selects the previous one back on scope exit,
// so that no object is ever deleted while still selected.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (old_)
            ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC / RestoreDC around code that moves the origin or the clip.
class ScopedSaveDC {
public:
    explicit ScopedSaveDC(HDC dc) noexcept : dc_(dc), id_(::SaveDC(dc)) {}
    ScopedSaveDC(const ScopedSaveDC&) = delete;
    ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;
    ~ScopedSaveDC() {
        if (id_)
            ::RestoreDC(dc_, id_);
    }

private:
    HDC dc_;
    int id_;
};

// A window timer, killed with its owner object.
class WindowTimer {
public:
    WindowTimer() noexcept = default;
    WindowTimer(HWND wnd, UINT_PTR id, UINT periodMs) noexcept : wnd_(wnd), id_(id) {
        if (!::SetTimer(wnd, id, periodMs, nullptr))
            wnd_ = nullptr;
    }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    WindowTimer(WindowTimer&& o) noexcept : wnd_(std::exchange(o.wnd_, nullptr)), id_(o.id_) {}
    WindowTimer& operator=(WindowTimer&& o) noexcept {
        if (this != &o) {
            reset();
            wnd_ = std::exchange(o.wnd_, nullptr);
            id_ = o.id_;
        }
        return *this;
    }
    ~WindowTimer() { reset(); }
    explicit operator bool() const noexcept { return wnd_ != nullptr; }
    UINT_PTR id() const noexcept { return id_; }
    void reset() noexcept {
        if (wnd_)
            ::KillTimer(std::exchange(wnd_, nullptr), id_);
    }

private:
    HWND wnd_ = nullptr;
    UINT_PTR id_ = 0;
};

} // namespace fw
