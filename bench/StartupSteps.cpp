// Where the launcher's start-up time goes: the steps of wWinMain timed one by one
// from inside the process, from the process's creation (the loader and the imported
// libraries) to the moment every window has painted and the queue is empty.
// bench_startup.py times the whole start from outside; this splits it.
//
//   bench_startup_steps            one start (run it several times: the first pays for caches)
#include "controls/PNGGraphic.h"
#include "framework/Application.h"
#include "ui/Common.h"
#include "ui/Main.h"

#include <ole2.h>

#include <cstdio>

namespace {

double NowMs() {
    FILETIME now;
    ::GetSystemTimePreciseAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    return static_cast<double>(t.QuadPart) / 10000.0;
}

double CreatedMs() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER t{{created.dwLowDateTime, created.dwHighDateTime}};
    return static_cast<double>(t.QuadPart) / 10000.0;
}

} // namespace

int main() {
    const double created = CreatedMs();
    double last = NowMs();
    auto step = [&last](const char* what) {
        const double now = NowMs();
        std::printf("  %-58s %7.2f ms\n", what, now - last);
        last = now;
    };
    std::printf("bench_startup_steps:\n  %-58s %7.2f ms\n", "process creation to main (loader, libraries)",
                last - created);
    fw::Application& app = fw::Application::Instance();
    step("application object");
    ui::InitializeMainModule();
    controls::RegisterPNGGraphic();
    step("module initialisation (hand cursor, picture type)");
    const bool ole = SUCCEEDED(::OleInitialize(nullptr));
    step("OleInitialize");
    app.Initialize();
    app.SetTitle(L"Orvalis.");
    step("CoInitialize, title");
    {
        // What the info line's labels do first: the font system's first font and text.
        fw::WindowDC screen(nullptr);
        fw::Canvas canvas(screen.get());
        canvas.SetFont(ui::TahomaFont());
        RECT r{0, 0, 0, 0};
        canvas.DrawText(L"Welcome to Orvalis!", r, DT_LEFT | DT_CALCRECT);
    }
    step("the first font and text measured (the font system starts)");
    {
        // The first window of the process pays for the display driver's start; this one
        // takes that, so that the steps below show what each further window costs.
        fw::UniqueWindow first(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, -100, -100, 1, 1, nullptr,
                                                 nullptr, nullptr, nullptr));
    }
    step("a first window, made and destroyed (the display driver starts)");
    app.Handle();
    step("the application's own window");
    app.CreateForm<ui::TFormMain>();
    step("TFormMain: skin, region, labels, nine buttons, menus");
    ::ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
    app.MainForm()->Show();
    step("showing it (the form's first paint)");
    app.ProcessMessages();
    step("the queue until empty (the buttons' first paints)");
    std::printf("  %-58s %7.2f ms\n", "in all, from process creation", last - created);
    app.DestroyForms();
    controls::UnregisterPNGGraphic();
    if (ole)
        ::OleUninitialize();
    return 0;
}
