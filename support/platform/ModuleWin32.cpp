#include <windows.h>

#include "support/PathText.h"
#include "support/platform/Module.h"

namespace {

constexpr DWORD kFirstBufferUnits = MAX_PATH;
constexpr DWORD kLongestPathUnits = 32768;

}  // namespace

std::uint32_t ModulePath(std::wstring& path) {
    // A name that fills the buffer was cut short; a longer buffer is tried, up to the longest path
    // Windows has, so a deep install location still gives the right name.
    std::wstring name;
    for (DWORD units = kFirstBufferUnits; units <= kLongestPathUnits; units *= 2) {
        name.resize(units);
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), units);
        if (length == 0) return ::GetLastError();
        if (length < units) {
            name.resize(length);
            path = name;
            return 0;
        }
    }
    return ERROR_INSUFFICIENT_BUFFER;
}

std::uint32_t ModuleDirectory(std::wstring& folder) {
    std::wstring path;
    if (const std::uint32_t code = ModulePath(path); code != 0) return code;
    // "C:\setup.exe" gives "C:": the folder never keeps its separator.
    folder = ParentFolder(path);
    return 0;
}

bool SetCurrentFolder(const std::wstring& folder) {
    return ::SetCurrentDirectoryW(folder.c_str()) != FALSE;
}

void LoadSystemLibrariesOnly() {
    // SetDefaultDllDirectories came with an update to Windows 7 (KB2533623), so it is looked up.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault != nullptr) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L"");  // without it, at least the current folder leaves the search
}
