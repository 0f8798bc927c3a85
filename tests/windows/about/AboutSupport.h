// Helpers of the About tests: running a dialog modally while a test drives it,
// recording what would be handed to the shell, and counting handles.
#pragma once

#include "ui/about.h"

#include <functional>
#include <string>
#include <vector>

namespace about_test {

// What the shell seam received, one entry per call.
struct ShellCall {
    std::wstring operation, file;
    bool parametersNull, directoryNull;
    int show;
};
// Installs a recording shell for its lifetime; nothing is really opened.
class ShellRecorder {
public:
    ShellRecorder();
    ~ShellRecorder();
    const std::vector<ShellCall>& Calls() const;
};

// Shows form modally; once it is active and painted, runs drive inside the
// modal loop. If the form is still open afterwards, ends it with result 99.
int RunModal(fw::Form& form, const std::function<void(fw::Form&)>& drive);
// Runs drive on the first About dialog shown while open() runs.
void WithDialogOpenedBy(const std::function<void()>& open, const std::function<void(ui::TFormAbout&)>& drive);

// Real input into the dialog.
void ClickAt(HWND wnd, POINT client);
void ClickControl(fw::Control& c); // the centre of a windowed or windowless control
void Key(WORD vk);
void KeyWith(WORD modifier, WORD vk);
// Waits until the dialog's modal result is set (true) or the time is up.
bool WaitForResult(fw::Form& form, int timeoutMs = 2000);

// Counts for the leak checks: windows of this thread, GDI objects of the process.
int ThreadWindowCount();
int GdiObjectCount();
size_t PrivateBytes();

// Saves the window's on-screen image as a BMP when ORVALIS_SHOTS names a folder.
void SaveShot(HWND wnd, const std::wstring& name);

} // namespace about_test
