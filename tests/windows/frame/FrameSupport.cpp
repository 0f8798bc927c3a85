#include "FrameSupport.h"

#include "TestSupport.h"

#include <cstring>
#include <sstream>

namespace frame_tests {

std::vector<bool> SpanPixels(const std::vector<Span>& spans, int w, int h) {
    std::vector<bool> px(static_cast<size_t>(w) * h);
    for (const Span& s : spans)
        for (int x = s.left; x <= s.right; ++x)
            if (s.y >= 0 && s.y < h && x >= 0 && x < w)
                px[static_cast<size_t>(s.y) * w + x] = true;
    return px;
}

std::vector<bool> RectPixels(const RECT& r, int w, int h) {
    std::vector<Span> spans;
    for (int y = r.top; y < r.bottom; ++y)
        if (r.right > r.left)
            spans.push_back({y, static_cast<int>(r.left), static_cast<int>(r.right) - 1});
    return SpanPixels(spans, w, h);
}

std::string PixelSetDifference(const std::vector<bool>& got, const std::vector<bool>& want, int w) {
    if (got.size() != want.size())
        return "pixel sets of different sizes";
    size_t count = 0, first = 0;
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != want[i] && count++ == 0)
            first = i;
    if (count == 0)
        return "";
    std::ostringstream s;
    s << count << " pixels differ; first at (" << first % w << ", " << first / w
      << "): " << (got[first] ? "in the shape, expected outside" : "outside, expected in the shape");
    return s.str();
}

int WindowRegionType(HWND wnd) {
    fw::UniqueRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    return ::GetWindowRgn(wnd, rgn.get());
}

std::vector<bool> WindowRegionPixels(HWND wnd, int w, int h) {
    fw::UniqueRgn rgn(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(wnd, rgn.get()) == ERROR)
        return std::vector<bool>(static_cast<size_t>(w) * h);
    return testing_support::RegionPixels(rgn.get(), w, h);
}

SIZE ClientSizeOf(HWND wnd) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    return {r.right, r.bottom};
}

fw::Bitmap SolidGlyph(int w, int h, COLORREF c, int bpp) {
    fw::Bitmap b(w, h, bpp);
    b.Fill(c);
    return b;
}

fw::Bitmap PatternGlyph(int w, int h) {
    fw::Bitmap b(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, PatternPixel(x, y));
    return b;
}

DibSurface::DibSurface(int w, int h, COLORREF fill) : w_(w), h_(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_.reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    dc_.reset(::CreateCompatibleDC(nullptr));
    selection_.emplace(dc_.get(), bmp_.get());
    const std::uint32_t v = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    for (int i = 0; i < w * h; ++i)
        bits_[i] = v;
}

COLORREF DibSurface::Pixel(int x, int y) const noexcept {
    ::GdiFlush();
    const std::uint32_t v = bits_[static_cast<size_t>(y) * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

LRESULT HookedForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (hook)
        if (std::optional<LRESULT> r = hook(msg, wp, lp))
            return *r;
    return fw::Form::WndProc(msg, wp, lp);
}

void ShowAt(fw::Form& form, int x, int y, int w, int h) {
    form.SetBorderStyle(fw::BorderStyle::None);
    form.SetBounds(x, y, w, h);
    form.Show();
    HWND wnd = form.Handle();
    testing_support::PumpUntil([&] { return ::IsWindowVisible(wnd) && ::GetForegroundWindow() == wnd; });
    testing_support::PumpFor(50);
}

void SendMouseMove(int x, int y) {
    testing_support::SendMouseMoveInput(x, y);
}

void SendMouseButton(bool left, bool down) {
    testing_support::MouseButton(left, down);
}

void SendKey(WORD vk) {
    testing_support::KeyPress(vk, true);
    testing_support::KeyPress(vk, false);
}

InputScript::InputScript(std::function<void()> steps)
    : thread_([this, steps = std::move(steps)] {
          steps();
          done_ = true;
      }) {}

InputScript::~InputScript() {
    if (thread_.joinable())
        thread_.join();
}

namespace {

void** FindImportSlot(const char* dll, const char* name) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
        if (::lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0 || !d->OriginalFirstThunk)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void WriteSlot(void** slot, void* value) {
    DWORD old = 0;
    ::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old);
    *slot = value;
    ::VirtualProtect(slot, sizeof(void*), old, &old);
    ::FlushInstructionCache(::GetCurrentProcess(), slot, sizeof(void*));
}

} // namespace

ImportHook::ImportHook(const char* dll, const char* name, void* replacement) {
    slot_ = FindImportSlot(dll, name);
    if (!slot_)
        return;
    original_ = *slot_;
    WriteSlot(slot_, replacement);
}

ImportHook::~ImportHook() {
    if (slot_)
        WriteSlot(slot_, original_);
}

namespace {

RegionWatch* activeWatch = nullptr;
decltype(&::CreateRectRgn) realCreateRectRgn = nullptr;
decltype(&::ExtCreateRegion) realExtCreateRegion = nullptr;
decltype(&::DeleteObject) realDeleteObject = nullptr;
decltype(&::SetWindowRgn) realSetWindowRgn = nullptr;

HRGN WINAPI WatchCreateRectRgn(int l, int t, int r, int b) {
    HRGN h = realCreateRectRgn(l, t, r, b);
    if (activeWatch && h) {
        activeWatch->created.push_back(h);
        activeWatch->live.insert(h);
    }
    return h;
}

HRGN WINAPI WatchExtCreateRegion(const XFORM* xf, DWORD n, const RGNDATA* data) {
    HRGN h = realExtCreateRegion(xf, n, data);
    if (activeWatch && h) {
        activeWatch->created.push_back(h);
        activeWatch->live.insert(h);
    }
    return h;
}

BOOL WINAPI WatchDeleteObject(HGDIOBJ h) {
    const BOOL ok = realDeleteObject(h);
    if (activeWatch && ok) {
        activeWatch->deleted.insert(h);
        activeWatch->live.erase(static_cast<HRGN>(h));
    }
    return ok;
}

int WINAPI WatchSetWindowRgn(HWND wnd, HRGN rgn, BOOL redraw) {
    const int r = realSetWindowRgn(wnd, rgn, redraw);
    if (activeWatch) {
        activeWatch->setWindowRgn.push_back({wnd, rgn, r});
        if (r)
            activeWatch->live.erase(rgn); // the window owns it now
    }
    return r;
}

} // namespace

RegionWatch::RegionWatch()
    : createRect_("gdi32.dll", "CreateRectRgn", reinterpret_cast<void*>(&WatchCreateRectRgn)),
      extCreate_("gdi32.dll", "ExtCreateRegion", reinterpret_cast<void*>(&WatchExtCreateRegion)),
      deleteObject_("gdi32.dll", "DeleteObject", reinterpret_cast<void*>(&WatchDeleteObject)),
      setWindowRgn_("user32.dll", "SetWindowRgn", reinterpret_cast<void*>(&WatchSetWindowRgn)) {
    // Calls go on to what the slots held: the system's own entry points.
    realCreateRectRgn = reinterpret_cast<decltype(realCreateRectRgn)>(createRect_.Original());
    realExtCreateRegion = reinterpret_cast<decltype(realExtCreateRegion)>(extCreate_.Original());
    realDeleteObject = reinterpret_cast<decltype(realDeleteObject)>(deleteObject_.Original());
    realSetWindowRgn = reinterpret_cast<decltype(realSetWindowRgn)>(setWindowRgn_.Original());
    activeWatch = this;
}

RegionWatch::~RegionWatch() {
    activeWatch = nullptr;
}

bool RegionWatch::Installed() const noexcept {
    return createRect_.Installed() && extCreate_.Installed() && deleteObject_.Installed() &&
           setWindowRgn_.Installed();
}

} // namespace frame_tests
