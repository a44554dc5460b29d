#include <windows.h>
// Needs what <windows.h> defines, so it stays after it.
#include <shellapi.h>

#include <mutex>
#include <vector>

#include "support/TextConvert.h"
#include "support/platform/Process.h"

namespace {

std::mutex handlerMutex;
std::function<bool(const std::wstring&)> shellOpenHandler;

// The command line is the path, one space and the arguments, as UTF-16: the path may hold
// characters the ANSI code page lacks. A path with a blank is quoted, or CreateProcessW would try
// each blank-separated prefix of it ("C:\Documents.exe", ...) as the program first.
std::wstring CommandLine(const std::string& path, const std::string& arguments) {
    const bool quote = path.find_first_of(" \t") != std::string::npos;
    return Utf8ToWide((quote ? "\"" + path + "\"" : path) + " " + arguments);
}

// Waits for the process, or only until the stop request when one is given; true when the process
// ended.
bool WaitUnlessStopped(HANDLE process, const StopEvent* stop) {
    HANDLE objects[2] = {process, nullptr};
    DWORD count = 1;
    if (stop != nullptr && stop->Waitable() != kNoHandle)
        objects[count++] = reinterpret_cast<HANDLE>(stop->Waitable());
    return ::WaitForMultipleObjects(count, objects, FALSE, INFINITE) == WAIT_OBJECT_0;
}

}  // namespace

std::uint32_t RunProgram(const std::string& path, const std::string& arguments, bool wait,
                         const StopEvent* stop, std::uint32_t* exitCode) {
    const std::wstring commandLine = CommandLine(path, arguments);
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());  // CreateProcessW may write to it
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return ::GetLastError();
    // Closing the handles leaves the program running; only the wait is given up on a stop.
    DWORD code = 0;
    if (wait && WaitUnlessStopped(process.hProcess, stop) && exitCode != nullptr &&
        ::GetExitCodeProcess(process.hProcess, &code))
        *exitCode = code;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

bool ShellOpen(const std::wstring& target) {
    {
        std::lock_guard lock(handlerMutex);
        if (shellOpenHandler) return shellOpenHandler(target);
    }
    // Values above 32 mean the shell started something.
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

void SetShellOpenHandler(std::function<bool(const std::wstring&)> handler) {
    std::lock_guard lock(handlerMutex);
    shellOpenHandler = std::move(handler);
}
