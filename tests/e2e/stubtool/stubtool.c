/* Stands in for every tool of the suite in the end-to-end tests, and for the
 * program the shell opens web addresses with. Each start appends one line to
 * stubtool.log beside the executable, then exits 0 without showing a window:
 *
 *   <own file name> TAB <current directory> [TAB <argument>]... LF
 *
 * in UTF-8. One WriteFile per line, so lines of two quick starts never mix.
 * Paths of any length work: the launcher's own tests start it from folders
 * deeper than MAX_PATH. */
#include <windows.h>
#include <shellapi.h>

#include <stdlib.h>
#include <wchar.h>

enum { kMaxLine = 32768 };

static wchar_t line[kMaxLine];
static size_t used;

/* Appends text, dropping what does not fit: a clipped line still shows who ran.
 * Room for the closing line feed and the terminator is always kept. */
static void Append(const wchar_t* text) {
    size_t length = wcslen(text);
    if (length > kMaxLine - 2 - used)
        length = kMaxLine - 2 - used;
    wmemcpy(line + used, text, length);
    used += length;
    line[used] = L'\0';
}

static const wchar_t* LastComponent(const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p)
        if (*p == L'\\' || *p == L'/' || *p == L':')
            name = p + 1;
    return name;
}

static void WriteLine(const wchar_t* logPath) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, line, (int)used, NULL, 0, NULL, NULL);
    char* utf8 = (char*)malloc((size_t)bytes + 1);
    if (!utf8)
        return;
    WideCharToMultiByte(CP_UTF8, 0, line, (int)used, utf8, bytes, NULL, NULL);
    HANDLE file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, utf8, (DWORD)bytes, &written, NULL);
        CloseHandle(file);
    }
    free(utf8);
}

enum { kMaxPath = 32768 };

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;

    static wchar_t self[kMaxPath];
    DWORD length = GetModuleFileNameW(NULL, self, kMaxPath);
    if (length == 0 || length >= kMaxPath)
        return 0;
    static wchar_t directory[kMaxPath];
    DWORD dirLength = GetCurrentDirectoryW(kMaxPath, directory);
    if (dirLength == 0 || dirLength >= kMaxPath)
        directory[0] = L'\0';

    Append(LastComponent(self));
    Append(L"\t");
    Append(directory);
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i < argc; ++i) {
        Append(L"\t");
        Append(argv[i]);
    }
    if (argv)
        LocalFree(argv);
    line[used++] = L'\n';
    line[used] = L'\0';

    /* The log lies beside the executable, whatever name it was copied to; a
     * path too long for the plain file functions takes the extended prefix. */
    static wchar_t logPath[kMaxPath + 8];
    static const wchar_t kLogName[] = L"stubtool.log";
    static const wchar_t kExtended[] = L"\\\\?\\";
    size_t folder = (size_t)(LastComponent(self) - self);
    size_t prefix = 0;
    if (folder + sizeof kLogName / sizeof kLogName[0] > MAX_PATH && self[0] && self[1] == L':') {
        wmemcpy(logPath, kExtended, 4);
        prefix = 4;
    }
    if (prefix + folder + sizeof kLogName / sizeof kLogName[0] > sizeof logPath / sizeof logPath[0])
        return 0;
    wmemcpy(logPath + prefix, self, folder);
    wmemcpy(logPath + prefix + folder, kLogName, sizeof kLogName / sizeof kLogName[0]);
    WriteLine(logPath);
    return 0;
}
