#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "support/TextConvert.h"
#include "support/platform/FolderPicker.h"

extern char** environ;

namespace {

std::mutex handlerMutex;
std::function<std::wstring()> pickerHandler;

constexpr const char* kTitle = "请选择安装目录:";

// Runs a picker and returns what it printed; `started` is false when the program is missing.
std::string RunPicker(std::vector<std::string> argv, bool& started, bool& chose) {
    int fds[2];
    started = chose = false;
    if (::pipe(fds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string output;
    if (error == 0) {
        started = true;
        char buffer[4096];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) break;
            output.append(buffer, size_t(n));
        }
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        chose = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    ::close(fds[0]);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

}  // namespace

std::wstring BrowseForFolder() {
    {
        std::lock_guard lock(handlerMutex);
        if (pickerHandler) return pickerHandler();
    }
    const std::vector<std::vector<std::string>> pickers = {
        {"zenity", "--file-selection", "--directory", std::string("--title=") + kTitle},
        {"kdialog", "--getexistingdirectory", ".", "--title", kTitle},
    };
    for (const auto& picker : pickers) {
        bool started = false, chose = false;
        const std::string folder = RunPicker(picker, started, chose);
        if (started) return chose ? AnsiToWide(folder) : std::wstring();
    }
    return {};
}

void SetFolderPickerHandler(std::function<std::wstring()> handler) {
    std::lock_guard lock(handlerMutex);
    pickerHandler = std::move(handler);
}
