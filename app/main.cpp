// Program entry and start-up order of the launcher.
#include "ui/Main.h"

#include "controls/PNGGraphic.h"
#include "framework/Application.h"
#include "framework/SingleInstance.h"
#include "framework/SystemLibraries.h"

#include <ole2.h>

namespace {

// OLE for the UI thread, for the program's whole life.
struct OleSession {
    bool ok = SUCCEEDED(::OleInitialize(nullptr));
    ~OleSession() {
        if (ok)
            ::OleUninitialize();
    }
};

} // namespace

// The launcher reads no command line: any arguments are ignored.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a library: none is ever taken from beside the exe.
    fw::syslib::RestrictLibrarySearch();
    // One launcher per session: a second start shows the first and ends.
    const fw::SingleInstance instance(L"Orvalis.Launcher");
    if (!instance.First()) {
        instance.ShowFirst();
        return 0;
    }
    fw::Application& app = fw::Application::Instance();
    int exitCode = 0;
    {
        // 1. Module initialisation.
        ui::InitializeMainModule();
        controls::RegisterPNGGraphic();
        OleSession ole;
        try {
            // 2 to 5: the application, its title, the launcher window, the loop.
            app.Initialize();
            app.SetTitle(L"Orvalis.");
            app.CreateForm<ui::TFormMain>();
            app.Run();
        } catch (...) {
            app.HandleException();
            exitCode = 1;
        }
        // 6. The windows go before the modules are finalised.
        app.DestroyForms();
        controls::UnregisterPNGGraphic();
    }
    return exitCode;
}
