#include "StartRecord.h"

#include <windows.h>

enum { kArgumentBytes = 1024 };

// The command line after the program's name (quoted or not) and the blanks that follow it.
static const wchar_t* CommandLineArguments(void) {
    const wchar_t* at = GetCommandLineW();
    if (*at == L'"') {
        ++at;
        while (*at != L'\0' && *at != L'"') ++at;
        if (*at == L'"') ++at;
    } else {
        while (*at != L'\0' && *at != L' ' && *at != L'\t') ++at;
    }
    while (*at == L' ' || *at == L'\t') ++at;
    return at;
}

void RecordStart(void) {
    wchar_t logPath[MAX_PATH];
    wchar_t self[MAX_PATH];
    const DWORD logLength = GetEnvironmentVariableW(L"LARKHOLM_DEMO_START_LOG", logPath, MAX_PATH);
    const DWORD selfLength = GetModuleFileNameW(NULL, self, MAX_PATH);
    if (logLength == 0 || logLength >= MAX_PATH || selfLength == 0 || selfLength >= MAX_PATH) return;
    // Appending is one write at the end, so starts of several installers never interleave.
    HANDLE log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) return;
    // The path, a tab, the arguments as the command line gives them (after the program's own name).
    const wchar_t* arguments = CommandLineArguments();
    char line[MAX_PATH * 3 + 1 + kArgumentBytes + 1];
    int length = WideCharToMultiByte(CP_UTF8, 0, self, (int)selfLength, line, MAX_PATH * 3, NULL, NULL);
    line[length++] = '\t';
    // The count includes the terminating zero; arguments too long for the line are left out.
    const int converted = WideCharToMultiByte(CP_UTF8, 0, arguments, -1, line + length, kArgumentBytes, NULL, NULL);
    length += converted > 0 ? converted - 1 : 0;
    line[length++] = '\n';
    DWORD written = 0;
    WriteFile(log, line, (DWORD)length, &written, NULL);
    CloseHandle(log);
}
