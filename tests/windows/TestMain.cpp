// Start-up of every Windows test executable, in the launcher's order: module
// initialisation (hand cursor, OLE), the application with COM and its title.
// An exception that reaches the application's handler fails the running test
// instead of showing an error box.
#include "ui/Main.h"

#include "framework/Application.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ui::InitializeMainModule();
    ::OleInitialize(nullptr);
    fw::Application& app = fw::Application::Instance();
    app.Initialize();
    app.SetTitle(L"Orvalis.");
    app.OnException = [](const std::wstring& message) {
        ADD_FAILURE() << "exception reached the application: " << std::string(message.begin(), message.end());
    };
    const int rc = RUN_ALL_TESTS();
    app.DestroyForms();
    ::OleUninitialize();
    return rc;
}
