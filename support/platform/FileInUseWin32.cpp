#include <windows.h>
// Needs what <windows.h> defines, so it stays after it.
#include <restartmanager.h>

#include <vector>

#include "support/PathText.h"
#include "support/platform/FileInUse.h"

namespace {

// The application that the Restart Manager says holds `path`; nothing where it cannot tell (it
// knows only programs it may inspect, and Wine's keeps no list).
std::optional<std::wstring> ApplicationHolding(const std::wstring& path) {
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (::RmStartSession(&session, 0, key) != ERROR_SUCCESS) return std::nullopt;
    std::optional<std::wstring> application;
    LPCWSTR files[] = {path.c_str()};
    UINT needed = 0;
    UINT count = 0;
    DWORD reasons = 0;
    if (::RmRegisterResources(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS &&
        ::RmGetList(session, &needed, &count, nullptr, &reasons) == ERROR_MORE_DATA && needed > 0) {
        std::vector<RM_PROCESS_INFO> processes(needed);
        count = needed;
        if (::RmGetList(session, &needed, &count, processes.data(), &reasons) == ERROR_SUCCESS && count > 0 &&
            processes[0].strAppName[0] != L'\0')
            application = processes[0].strAppName;
    }
    ::RmEndSession(session);
    return application;
}

// The first file below `folder` that a program holds: it cannot be opened for writing (reading, when
// it is read-only) and deleting without sharing. Writing also refuses a running program's .exe or
// .dll, which Windows keeps mapped.
std::optional<std::wstring> FileInUseBelow(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::wstring> busy;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;  // never followed
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            busy = FileInUseBelow(path);
            continue;
        }
        // Nobody may open a read-only file for writing, held or not; reading and deleting without
        // sharing is refused to us only while a program holds it.
        const DWORD access = (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? GENERIC_READ | DELETE
                                                                                : GENERIC_WRITE | DELETE;
        HANDLE file =
            ::CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
        } else if (::GetLastError() == ERROR_SHARING_VIOLATION || ::GetLastError() == ERROR_LOCK_VIOLATION) {
            busy = path;
        }
    } while (!busy && ::FindNextFileW(search, &found));
    ::FindClose(search);
    return busy;
}

}  // namespace

std::optional<std::wstring> ProgramUsingFolder(const std::wstring& folder) {
    const std::optional<std::wstring> busy = FileInUseBelow(folder);
    if (!busy) return std::nullopt;
    if (auto application = ApplicationHolding(*busy)) return application;
    return FileNamePart(*busy);
}
