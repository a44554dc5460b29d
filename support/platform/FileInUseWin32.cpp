#include <windows.h>

#include "support/platform/FileInUse.h"

namespace {

// The first file below `folder` that cannot be opened without sharing because it is in use.
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
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
        } else if (::GetLastError() == ERROR_SHARING_VIOLATION || ::GetLastError() == ERROR_LOCK_VIOLATION) {
            busy = name;
        }
    } while (!busy && ::FindNextFileW(search, &found));
    ::FindClose(search);
    return busy;
}

}  // namespace

std::optional<std::wstring> ProgramUsingFolder(const std::wstring& folder) {
    return FileInUseBelow(folder);
}
