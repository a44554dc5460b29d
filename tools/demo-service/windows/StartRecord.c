#include "StartRecord.h"

#include <windows.h>

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
    char line[MAX_PATH * 3 + 2];
    const int length = WideCharToMultiByte(CP_UTF8, 0, self, (int)selfLength, line, MAX_PATH * 3, NULL, NULL);
    line[length] = '\n';
    DWORD written = 0;
    WriteFile(log, line, (DWORD)length + 1, &written, NULL);
    CloseHandle(log);
}
