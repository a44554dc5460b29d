#include <poll.h>
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
// How often the owner's window is kept alive while the picker is open.
constexpr int kKeepAliveMs = 20;

// Reads the picker's answer until it closes its output, keeping the owner alive meanwhile.
std::string ReadAnswer(int fd, pid_t picker, const FolderPickerOwner& owner) {
    std::string output;
    char buffer[4096];
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, owner.keepAlive ? kKeepAliveMs : -1);
        if (owner.keepAlive) owner.keepAlive(static_cast<int>(picker));
        if (polled < 0 && errno != EINTR) break;
        if (polled <= 0) continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EINTR)) break;
        if (n > 0) output.append(buffer, size_t(n));
    }
    return output;
}

// Runs a picker and returns what it printed; `started` is false when the program is missing.
std::string RunPicker(std::vector<std::string> argv, const FolderPickerOwner& owner, bool& started,
                      bool& chose) {
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
        output = ReadAnswer(fds[0], pid, owner);
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

std::wstring BrowseForFolder(const FolderPickerOwner& owner) {
    {
        std::lock_guard lock(handlerMutex);
        if (pickerHandler) return pickerHandler();
    }
    std::vector<std::vector<std::string>> pickers = {
        {"zenity", "--file-selection", "--directory", std::string("--title=") + kTitle, "--modal"},
        {"kdialog", "--getexistingdirectory", ".", "--title", kTitle},
    };
    if (owner.nativeWindow != 0) {
        const std::string window = std::to_string(owner.nativeWindow);
        pickers[0].push_back("--attach=" + window);
        pickers[1].insert(pickers[1].end(), {"--attach", window});
    }
    for (const auto& picker : pickers) {
        bool started = false, chose = false;
        const std::string folder = RunPicker(picker, owner, started, chose);
        if (started) return chose ? AnsiToWide(folder) : std::wstring();
    }
    return {};
}

void SetFolderPickerHandler(std::function<std::wstring()> handler) {
    std::lock_guard lock(handlerMutex);
    pickerHandler = std::move(handler);
}
