#include <poll.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "support/TextConvert.h"
#include "support/platform/Process.h"
#include "support/platform/ShellOpenHandler.h"

extern char** environ;

namespace {

bool IsPortableExecutable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[2] = {};
    return in.read(magic, 2) && magic[0] == 'M' && magic[1] == 'Z';
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::stringstream folders(path);
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

std::vector<std::string> SplitAtSpaces(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; in >> part;) parts.push_back(part);
    return parts;
}

// Spawns argv; returns 0 and the child's pid, or the errno of the failure.
int Spawn(const std::vector<std::string>& argv, bool searchPath, pid_t& pid) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return searchPath ? ::posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ)
                      : ::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ);
}

// Reaps the child; its exit code (128 + the signal for a child a signal ended).
std::uint32_t WaitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) return std::uint32_t(WEXITSTATUS(status));
    return WIFSIGNALED(status) ? 128 + std::uint32_t(WTERMSIG(status)) : 0;
}

// Signalled once the child has been reaped; shared by the waiter and the reaper, whichever ends last
// closes it.
class EndedEvent {
public:
    EndedEvent() : descriptor(::eventfd(0, EFD_CLOEXEC)) {}
    ~EndedEvent() {
        if (descriptor >= 0) ::close(descriptor);
    }
    EndedEvent(const EndedEvent&) = delete;
    EndedEvent& operator=(const EndedEvent&) = delete;

    bool IsOpen() const { return descriptor >= 0; }
    int Descriptor() const { return descriptor; }
    void Signal() const {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(descriptor, &one, sizeof one);
    }

    std::atomic<std::uint32_t> exitCode{0};  // written by the reaper before Signal

private:
    int descriptor;
};

// Waits until the child ends or `stop` is raised; the child's exit code, or nothing when the wait
// was stopped first. The child is always reaped: a reaper thread collects it, so after a stop it
// runs on by itself and still leaves no zombie behind.
std::optional<std::uint32_t> WaitUnlessStopped(pid_t pid, const StopEvent* stop) {
    auto ended = std::make_shared<EndedEvent>();
    if (stop == nullptr || stop->Waitable() == kNoHandle || !ended->IsOpen()) return WaitFor(pid);
    std::thread([pid, ended] {
        ended->exitCode = WaitFor(pid);
        ended->Signal();
    }).detach();
    pollfd events[2] = {{ended->Descriptor(), POLLIN, 0}, {int(stop->Waitable()), POLLIN, 0}};
    while (::poll(events, 2, -1) < 0 && errno == EINTR) {
    }
    if ((events[0].revents & POLLIN) == 0) return std::nullopt;
    return ended->exitCode.load();
}

// Starts without waiting; a reaper thread collects the child so no zombie is left behind.
bool SpawnDetached(const std::vector<std::string>& argv) {
    pid_t pid = 0;
    if (Spawn(argv, true, pid) != 0) return false;
    std::thread([pid] { WaitFor(pid); }).detach();
    return true;
}

// The user who had this root process started through pkexec or sudo, who is the one at the desktop;
// nothing for a process that is not root or was started otherwise.
std::optional<uid_t> RequestingUser() {
    if (::geteuid() != 0) return std::nullopt;
    for (const char* variable : {"PKEXEC_UID", "SUDO_UID"}) {
        const char* value = std::getenv(variable);
        char* end = nullptr;
        const unsigned long uid = value != nullptr ? std::strtoul(value, &end, 10) : 0;
        if (value != nullptr && *value != '\0' && *end == '\0' && uid != 0) return uid_t(uid);
    }
    return std::nullopt;
}

// xdg-open as `user`, with that user's groups and home, through util-linux's setpriv.
bool SpawnDetachedAs(uid_t user, const std::string& target) {
    const passwd* account = ::getpwuid(user);
    const std::string uid = std::to_string(user);
    const std::string gid = std::to_string(account != nullptr ? account->pw_gid : user);
    std::vector<std::string> argv = {"setpriv", "--reuid=" + uid, "--regid=" + gid};
    argv.push_back(account != nullptr ? "--init-groups" : "--clear-groups");
    argv.insert(argv.end(), {"env", "HOME=" + std::string(account != nullptr ? account->pw_dir : "/")});
    if (account != nullptr)
        argv.insert(argv.end(),
                    {"USER=" + std::string(account->pw_name), "LOGNAME=" + std::string(account->pw_name)});
    argv.insert(argv.end(), {"xdg-open", target});
    return SpawnDetached(argv);
}

}  // namespace

std::uint32_t RunProgram(const std::string& path, const std::string& arguments, bool wait,
                         const StopEvent* stop, std::uint32_t* exitCode) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::uint32_t(errno);
    if (S_ISDIR(st.st_mode)) return EACCES;

    std::vector<std::string> argv;
    bool searchPath = false;
    if (IsPortableExecutable(path)) {
        if (!OnPath("wine")) return ENOEXEC;
        argv = {"wine", path};
        searchPath = true;
    } else {
        argv = {path};
    }
    for (auto& a : SplitAtSpaces(arguments)) argv.push_back(std::move(a));

    pid_t pid = 0;
    if (const int error = Spawn(argv, searchPath, pid); error != 0) return std::uint32_t(error);
    if (wait) {
        const std::optional<std::uint32_t> ended = WaitUnlessStopped(pid, stop);
        if (ended && exitCode != nullptr) *exitCode = *ended;
    } else {
        std::thread([pid] { WaitFor(pid); }).detach();
    }
    return 0;
}

bool ShellOpen(const std::wstring& target) {
    if (const std::optional<bool> handled = HandToShellOpenHandler(target)) return *handled;
    const std::string narrow = WideToAnsi(target);
    if (IsPortableExecutable(narrow)) return OnPath("wine") && SpawnDetached({"wine", narrow});
    return SpawnDetached({"xdg-open", narrow});
}

LinkOpening OpenLink(const std::wstring& target) {
    if (const std::optional<bool> handled = HandToShellOpenHandler(target))
        return *handled ? LinkOpening::AsSignedInUser : LinkOpening::Failed;
    if (const std::optional<uid_t> user = RequestingUser(); user && !IsPortableExecutable(WideToAnsi(target)))
        return SpawnDetachedAs(*user, WideToAnsi(target)) ? LinkOpening::AsSignedInUser : LinkOpening::Failed;
    return ShellOpen(target) ? LinkOpening::AsThisProcess : LinkOpening::Failed;
}
