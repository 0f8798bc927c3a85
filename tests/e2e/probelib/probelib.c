/* Stands in, in the end-to-end tests, for a library of a system name planted
 * beside the launcher (as in a downloads folder). Loaded into a process, it
 * appends that process's own file name and its own to probelib.log beside
 * itself, in UTF-8, and refuses to stay loaded. */
#include <windows.h>

enum { kMaxPath = 32768 };

static wchar_t line[2 * kMaxPath + 4];
static wchar_t logPath[kMaxPath + 16];

static const wchar_t* LastComponent(const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            name = p + 1;
    return name;
}

static void Record(HINSTANCE self) {
    DWORD exe = GetModuleFileNameW(NULL, line, kMaxPath);
    if (exe == 0 || exe >= kMaxPath)
        return;
    line[exe++] = L'\t';
    DWORD lib = GetModuleFileNameW(self, line + exe, kMaxPath);
    if (lib == 0 || lib >= kMaxPath)
        return;
    DWORD used = exe + lib;
    line[used++] = L'\n';

    size_t folder = (size_t)(LastComponent(line + exe) - (line + exe));
    static const wchar_t kLogName[] = L"probelib.log";
    if (folder + sizeof kLogName / sizeof kLogName[0] > sizeof logPath / sizeof logPath[0])
        return;
    for (size_t i = 0; i < folder; ++i)
        logPath[i] = line[exe + i];
    for (size_t i = 0; i < sizeof kLogName / sizeof kLogName[0]; ++i)
        logPath[folder + i] = kLogName[i];

    char utf8[sizeof line];
    int bytes = WideCharToMultiByte(CP_UTF8, 0, line, (int)used, utf8, (int)sizeof utf8, NULL, NULL);
    HANDLE file = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, utf8, (DWORD)bytes, &written, NULL);
        CloseHandle(file);
    }
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    Record(self);
    return FALSE;
}
