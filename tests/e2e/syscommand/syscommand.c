/* Plays the taskbar's part in the end-to-end tests: posts a window-menu command
 * to the launcher's application window, as the taskbar does when its button is
 * used to minimise or restore the program (which works while a dialog has the
 * launcher disabled, unlike a window manager's request).
 *
 *   orvalis_syscommand minimize|restore       exit code 0 when posted */
#include <windows.h>

#include <wchar.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)show;
    WPARAM command;
    if (wcscmp(commandLine, L"minimize") == 0)
        command = SC_MINIMIZE;
    else if (wcscmp(commandLine, L"restore") == 0)
        command = SC_RESTORE;
    else
        return 2;
    HWND application = FindWindowW(L"OrvalisApplication", NULL);
    if (!application)
        return 1;
    return PostMessageW(application, WM_SYSCOMMAND, command, 0) ? 0 : 1;
}
