#include <dirent.h>
#include <limits.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <string>

#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/FileInUse.h"

namespace {

std::string LinkTarget(const std::string& link) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, std::size_t(n)) : std::string();
}

bool HoldsFileBelow(const std::string& process, const std::string& folder) {
    if (IsInsideFolder(LinkTarget(process + "/exe"), folder)) return true;
    if (DIR* descriptors = ::opendir((process + "/fd").c_str())) {
        bool found = false;
        while (dirent* entry = ::readdir(descriptors)) {
            if (entry->d_name[0] == '.') continue;
            if (IsInsideFolder(LinkTarget(process + "/fd/" + entry->d_name), folder)) {
                found = true;
                break;
            }
        }
        ::closedir(descriptors);
        if (found) return true;
    }
    // Mapped files: "address perms offset dev inode path".
    std::ifstream maps(process + "/maps");
    for (std::string line; std::getline(maps, line);) {
        const std::size_t slash = line.find('/');
        if (slash != std::string::npos && IsInsideFolder(line.substr(slash), folder)) return true;
    }
    return false;
}

}  // namespace

std::optional<std::wstring> ProgramUsingFolder(const std::wstring& folder) {
    char resolved[PATH_MAX];
    const std::string narrow = WideToAnsi(folder);
    const std::string root = ::realpath(narrow.c_str(), resolved) != nullptr ? resolved : narrow;
    DIR* processes = ::opendir("/proc");
    if (processes == nullptr) return std::nullopt;
    std::optional<std::wstring> program;
    while (dirent* entry = ::readdir(processes)) {
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0]))) continue;
        const std::string process = std::string("/proc/") + entry->d_name;
        if (!HoldsFileBelow(process, root)) continue;
        std::string name;
        std::getline(std::ifstream(process + "/comm"), name);
        program = AnsiToWide(name.empty() ? entry->d_name : name);
        break;
    }
    ::closedir(processes);
    return program;
}
