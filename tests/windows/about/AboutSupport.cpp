#include "AboutSupport.h"

#include "TestSupport.h"

#include "framework/UtilFuncs.h"
#include "framework/Application.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace about_test {

namespace {

std::vector<ShellCall> g_calls;
UtilFuncs::ShellExecuteExFn g_previous = nullptr;

BOOL WINAPI RecordShell(SHELLEXECUTEINFOW* info) {
    g_calls.push_back({info->lpVerb ? info->lpVerb : L"", info->lpFile ? info->lpFile : L"",
                       info->lpParameters == nullptr, info->lpDirectory == nullptr, info->nShow});
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
    return TRUE;
}

struct Driver {
    fw::Form* form;
    std::function<void(fw::Form&)> drive;
    bool ran = false;
};
Driver* g_driver = nullptr;

void CALLBACK DriverTick(HWND, UINT, UINT_PTR id, DWORD) {
    Driver* d = g_driver;
    if (!d || d->ran || !d->form->HandleAllocated() || !::IsWindowVisible(d->form->Handle()))
        return;
    d->ran = true;
    ::KillTimer(nullptr, id);
    try {
        testing_support::PumpUntil([&] { return d->form->Active(); });
        ::UpdateWindow(d->form->Handle());
        testing_support::PumpIdle();
        d->drive(*d->form);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "driver threw: " << e.what();
    }
    if (d->form->ModalResult() == fw::mrNone)
        d->form->SetModalResult(99);
}

} // namespace

ShellRecorder::ShellRecorder() {
    g_calls.clear();
    g_previous = UtilFuncs::SetShellExecuteEx(&RecordShell);
}
ShellRecorder::~ShellRecorder() {
    UtilFuncs::SetShellExecuteEx(g_previous);
}
const std::vector<ShellCall>& ShellRecorder::Calls() const {
    return g_calls;
}

int RunModal(fw::Form& form, const std::function<void(fw::Form&)>& drive) {
    Driver d{&form, drive};
    Driver* outer = std::exchange(g_driver, &d);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &DriverTick);
    const int result = form.ShowModal();
    ::KillTimer(nullptr, timer);
    g_driver = outer;
    EXPECT_TRUE(d.ran) << "the dialog never showed";
    return result;
}

void WithDialogOpenedBy(const std::function<void()>& open,
                        const std::function<void(ui::TFormAbout&)>& drive) {
    struct Watch {
        std::function<void(ui::TFormAbout&)> drive;
        bool ran = false;
    } watch{drive};
    static Watch* current = nullptr;
    Watch* outer = std::exchange(current, &watch);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
        Watch* w = current;
        if (!w || w->ran)
            return;
        auto* dlg = dynamic_cast<ui::TFormAbout*>(fw::WinControl::FromHandle(::GetActiveWindow()));
        if (!dlg || !dlg->Modal())
            return;
        w->ran = true;
        ::KillTimer(nullptr, id);
        try {
            testing_support::PumpUntil([&] { return dlg->Active(); });
            ::UpdateWindow(dlg->Handle());
            testing_support::PumpIdle();
            w->drive(*dlg);
        } catch (const std::exception& e) {
            ADD_FAILURE() << "driver threw: " << e.what();
        }
        if (dlg->ModalResult() == fw::mrNone)
            dlg->SetModalResult(99);
    });
    open();
    ::KillTimer(nullptr, timer);
    current = outer;
    EXPECT_TRUE(watch.ran) << "no About dialog showed";
}

void ClickAt(HWND wnd, POINT p) {
    ::ClientToScreen(wnd, &p);
    testing_support::MoveMouse(p.x, p.y);
    testing_support::PumpIdle();
    testing_support::MouseButton(true, true);
    testing_support::PumpFor(30);
    testing_support::MouseButton(true, false);
    testing_support::PumpFor(60);
}

void ClickControl(fw::Control& c) {
    if (c.IsWindowed()) {
        auto& w = static_cast<fw::WinControl&>(c);
        ClickAt(w.Handle(), {c.Width() / 2, c.Height() / 2});
    } else {
        ClickAt(c.Parent()->Handle(), {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2});
    }
}

void Key(WORD vk) {
    testing_support::KeyPress(vk, true);
    testing_support::KeyPress(vk, false);
    testing_support::PumpFor(60);
}

void KeyWith(WORD modifier, WORD vk) {
    testing_support::KeyPress(modifier, true);
    testing_support::KeyPress(vk, true);
    testing_support::KeyPress(vk, false);
    testing_support::KeyPress(modifier, false);
    testing_support::PumpFor(60);
}

bool WaitForResult(fw::Form& form, int timeoutMs) {
    return testing_support::PumpUntil([&] { return form.ModalResult() != fw::mrNone; }, timeoutMs);
}

int ThreadWindowCount() {
    int n = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM lp) -> BOOL {
            auto* count = reinterpret_cast<int*>(lp);
            ++*count;
            ::EnumChildWindows(
                h,
                [](HWND, LPARAM lp2) -> BOOL {
                    ++*reinterpret_cast<int*>(lp2);
                    return TRUE;
                },
                lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

namespace {

// The process's GDI handle table, as both Windows and Wine map it into the
// process (PEB GdiSharedHandleTable): 65536 entries of 24 bytes, the type byte
// at offset 14, zero for a free entry.
int CountGdiTableEntries() {
    const std::uint8_t* peb = nullptr;
    asm("movq %%gs:0x60, %0" : "=r"(peb)); // TEB -> PEB on x64
    const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + 0xF8);
    if (!table)
        return -1;
    int n = 0;
    for (int i = 0; i < 0x10000; ++i)
        n += table[i * 24 + 14] != 0;
    return n;
}

} // namespace

int GdiObjectCount() {
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return reported ? static_cast<int>(reported) : CountGdiTableEntries();
}

size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    ::K32GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                              sizeof pmc);
    // Wine leaves PrivateUsage at 0; its PagefileUsage counts the committed private memory.
    return pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
}

void SaveShot(HWND wnd, const std::wstring& name) {
    const wchar_t* dir = _wgetenv(L"ORVALIS_SHOTS");
    if (!dir || !*dir)
        return;
    RECT r;
    ::GetWindowRect(wnd, &r);
    const fw::Bitmap bmp = testing_support::CaptureScreen(r);
    const int w = bmp.Width(), h = bmp.Height();
    const DWORD rowBytes = static_cast<DWORD>((w * 3 + 3) & ~3);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + rowBytes * h;
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = -h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    const std::wstring path = std::wstring(dir) + L"\\" + name + L".bmp";
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    for (int y = 0; y < h; ++y)
        std::fwrite(bmp.Row(y), 1, rowBytes, f);
    std::fclose(f);
}

} // namespace about_test
