// Larkholm assist, demo build for Windows: the program the package installs and the wizard's finish
// page starts. It proves that it was started: it appends its command line and its working folder to
// logs\assist.log beside itself (UTF-8, one block per start, written at once), then exits.
#include <wchar.h>
#include <windows.h>

static const wchar_t kLogName[] = L"logs\\assist.log";

// The folder this program was started from, with its trailing backslash; FALSE when it does not fit.
static BOOL OwnFolder(wchar_t* folder, DWORD capacity) {
    const DWORD length = GetModuleFileNameW(NULL, folder, capacity);
    if (length == 0 || length >= capacity) return FALSE;
    wchar_t* lastSeparator = wcsrchr(folder, L'\\');
    if (lastSeparator == NULL) return FALSE;
    lastSeparator[1] = L'\0';
    return TRUE;
}

// Appends the texts, joined and as UTF-8, to `file` in one write, so a reader never sees half a block.
static BOOL AppendUtf8(HANDLE file, const wchar_t* const* texts, int count) {
    size_t units = 1;
    for (int i = 0; i < count; ++i) units += wcslen(texts[i]);
    wchar_t* joined = (wchar_t*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, units * sizeof(wchar_t));
    if (joined == NULL) return FALSE;
    for (int i = 0; i < count; ++i) wcscat(joined, texts[i]);
    BOOL complete = FALSE;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, joined, -1, NULL, 0, NULL, NULL);
    char* utf8 = bytes > 0 ? (char*)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)bytes) : NULL;
    if (utf8 != NULL && WideCharToMultiByte(CP_UTF8, 0, joined, -1, utf8, bytes, NULL, NULL) == bytes) {
        DWORD written = 0;
        complete = WriteFile(file, utf8, (DWORD)bytes - 1, &written, NULL) && written == (DWORD)bytes - 1;
    }
    if (utf8 != NULL) HeapFree(GetProcessHeap(), 0, utf8);
    HeapFree(GetProcessHeap(), 0, joined);
    return complete;
}

int main(void) {
    wchar_t logPath[MAX_PATH];
    wchar_t workingFolder[MAX_PATH];
    if (!OwnFolder(logPath, MAX_PATH) || wcslen(logPath) + wcslen(kLogName) >= MAX_PATH) return 1;
    const DWORD workingLength = GetCurrentDirectoryW(MAX_PATH, workingFolder);
    if (workingLength == 0 || workingLength >= MAX_PATH) return 1;
    wcscat(logPath, kLogName);
    HANDLE log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) return 2;
    const wchar_t* const block[] = {L"assist started\r\ncommand line: ", GetCommandLineW(),
                                    L"\r\nworking folder: ", workingFolder, L"\r\n"};
    const BOOL written = AppendUtf8(log, block, (int)(sizeof block / sizeof block[0]));
    CloseHandle(log);
    return written ? 0 : 3;
}
