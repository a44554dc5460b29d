#include <windows.h>

#include <cstdint>
#include <cwchar>

#include "support/PathText.h"
#include "support/WideFormat.h"
#include "support/platform/EnvironmentVariable.h"
#include "support/platform/Module.h"
#include "support/platform/TempFolder.h"
#include "support/platform/TemporaryCopy.h"

namespace {

// How the original tells its copy the handles the copy inherits: "<pipe>:<process>" in decimal.
constexpr wchar_t kHandoverVariable[] = L"LARKHOLM_ORIGINAL_HANDLES";
// The original ends as soon as it has read the exit code; a minute is far beyond that.
constexpr DWORD kOriginalEndMs = 60000;

// What a copy inherited from its original: the pipe's writing end, which takes the exit code, and
// the original process (SYNCHRONIZE). Both null in any other process.
struct Original {
    HANDLE result = nullptr;
    HANDLE process = nullptr;
};

Original TakeOriginal() {
    Original original;
    unsigned long long result = 0, process = 0;
    const auto value = TakeEnvironmentVariable(kHandoverVariable);
    if (!value || std::swscanf(value->c_str(), L"%llu:%llu", &result, &process) != 2) return original;
    const HANDLE pipe = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(result));
    // A variable that names no pipe was not set by an original of ours.
    if (::GetFileType(pipe) != FILE_TYPE_PIPE) return original;
    original.result = pipe;
    original.process = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(process));
    return original;
}

// Taken on the first call, which comes before the wizard starts any other program.
Original& ThisProcessOriginal() {
    static Original original = TakeOriginal();
    return original;
}

// A new folder of this process's own in the temporary folder; empty when none can be made.
std::wstring NewCopyFolder() {
    const std::wstring temp = TempFolder();
    for (unsigned attempt = 0; !temp.empty() && attempt < 100; ++attempt) {
        const std::wstring folder =
            WideFormat(L"%ls\\larkholm-uninstall-%lu-%u", temp.c_str(), ::GetCurrentProcessId(), attempt);
        if (::CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return {};
}

// This process's command line after the program's name, read as CommandLineToArgvW reads the name
// (up to the closing quote, or the first blank), so the copy gets the arguments exactly as given.
std::wstring ArgumentsText() {
    const wchar_t* line = ::GetCommandLineW();
    if (*line == L'"') {
        for (++line; *line != L'\0' && *line != L'"'; ++line) {
        }
        if (*line == L'"') ++line;
    } else {
        while (*line != L'\0' && *line != L' ' && *line != L'\t') ++line;
    }
    return line;
}

bool ReadAll(HANDLE pipe, void* data, DWORD size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        DWORD read = 0;
        if (!::ReadFile(pipe, bytes, size, &read, nullptr) || read == 0) return false;
        bytes += read;
        size -= read;
    }
    return true;
}

void RemoveCopy(const std::wstring& copy) {
    ::DeleteFileW(copy.c_str());
    ::RemoveDirectoryW(ParentFolder(copy).c_str());
}

// Starts `copy` with this process's arguments and the handles of the handover; the child's
// process handle, or null with the error in `error`.
HANDLE StartCopy(const std::wstring& copy, HANDLE result, DWORD& error) {
    HANDLE self = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self,
                           SYNCHRONIZE, TRUE, 0)) {
        error = ::GetLastError();
        return nullptr;
    }
    const std::wstring handles =
        WideFormat(L"%llu:%llu", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(result)),
                   static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(self)));
    ::SetEnvironmentVariableW(kHandoverVariable, handles.c_str());
    std::wstring commandLine = L"\"" + copy + L"\"" + ArgumentsText();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    // The copy works in its own folder, never in one it is about to remove.
    const BOOL started = ::CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, ParentFolder(copy).c_str(), &startup, &child);
    error = ::GetLastError();
    ::SetEnvironmentVariableW(kHandoverVariable, nullptr);
    ::CloseHandle(self);
    if (!started) return nullptr;
    ::CloseHandle(child.hThread);
    return child.hProcess;
}

}  // namespace

std::optional<int> RunInTemporaryCopy(std::wstring& problem) {
    if (ThisProcessOriginal().process != nullptr) return std::nullopt;
    std::wstring self;
    const std::wstring folder = ModulePath(self) == 0 ? NewCopyFolder() : std::wstring();
    if (folder.empty()) {
        problem = L"Uninstall: no temporary folder for a copy of the program; its own file stays behind";
        return std::nullopt;
    }
    const std::wstring copy = JoinPath(folder, FileNamePart(self));
    if (!::CopyFileW(self.c_str(), copy.c_str(), TRUE)) {
        problem =
            WideFormat(L"Uninstall: cannot copy the program to %ls (error %lu); its own file stays behind",
                       copy.c_str(), ::GetLastError());
        ::RemoveDirectoryW(folder.c_str());
        return std::nullopt;
    }
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    DWORD error = 0;
    HANDLE child = nullptr;
    if (!::CreatePipe(&read, &write, &inheritable, 0)) {
        error = ::GetLastError();
    } else {
        ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        child = StartCopy(copy, write, error);
        // Only the copy may hold the writing end: its end is how a copy that dies unheard is seen.
        ::CloseHandle(write);
    }
    if (child == nullptr) {
        if (read != nullptr) ::CloseHandle(read);
        RemoveCopy(copy);
        problem = WideFormat(
            L"Uninstall: cannot start the program's copy (error %lu); its own file stays behind", error);
        return std::nullopt;
    }
    // The copy sends its exit code before it ends. One that ended without sending it is judged by its
    // own exit code, and since it runs no more, its file goes at once.
    std::int32_t code = 0;
    const bool reported = ReadAll(read, &code, sizeof code);
    ::CloseHandle(read);
    if (!reported) {
        ::WaitForSingleObject(child, INFINITE);
        DWORD ended = 0;
        code = ::GetExitCodeProcess(child, &ended) ? std::int32_t(ended) : -1;
        RemoveCopy(copy);
    }
    ::CloseHandle(child);
    return code;
}

bool ReleaseOriginal(int exitCode) {
    Original& original = ThisProcessOriginal();
    if (original.process == nullptr) return false;
    const std::int32_t code = exitCode;
    DWORD written = 0;
    ::WriteFile(original.result, &code, sizeof code, &written, nullptr);
    ::CloseHandle(original.result);
    ::WaitForSingleObject(original.process, kOriginalEndMs);
    ::CloseHandle(original.process);
    original = {};
    // Nothing of this copy may stay: its file, then its folder, go at the next restart.
    std::wstring self;
    if (ModulePath(self) == 0) {
        ::MoveFileExW(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        ::MoveFileExW(ParentFolder(self).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
    return true;
}
