#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "support/PathText.h"
#include "support/platform/ConfinedFolder.h"

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// mkdir -p: every missing level of `path`, walking from the root down. A level that exists may
// still refuse mkdir with another error than EEXIST (read-only mounts, no write permission).
bool CreateFolders(const std::string& path) {
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string level = path.substr(0, end);
        if (::mkdir(level.c_str(), 0777) != 0 && errno != EEXIST && !IsFolder(level)) return false;
        if (end == std::string::npos) return true;
    }
}

}  // namespace

ConfinedFolder::~ConfinedFolder() {
    if (handle != kNoHandle) ::close(int(handle));
}

ConfinedFolder::ConfinedFolder(ConfinedFolder&& other) noexcept
    : handle(std::exchange(other.handle, kNoHandle)) {}

ConfinedFolder& ConfinedFolder::operator=(ConfinedFolder&& other) noexcept {
    if (this != &other) {
        if (handle != kNoHandle) ::close(int(handle));
        handle = std::exchange(other.handle, kNoHandle);
    }
    return *this;
}

ConfinedFolder ConfinedFolder::OpenRoot(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos || !CreateFolders(path)) return ConfinedFolder();
    return ConfinedFolder(::open(path.c_str(), kFolderFlags));
}

bool ConfinedFolder::EnterChild(const std::string& name) {
    if (!IsOpen() || !IsPlainName(name)) return false;
    int child = ::openat(int(handle), name.c_str(), kFolderFlags | O_NOFOLLOW);
    if (child < 0 && errno == ENOENT) {
        // Another process may create the same folder between the two calls; EEXIST is then fine
        // because the second open judges whatever is there.
        if (::mkdirat(int(handle), name.c_str(), 0777) != 0 && errno != EEXIST) return false;
        child = ::openat(int(handle), name.c_str(), kFolderFlags | O_NOFOLLOW);
    }
    if (child < 0) return false;
    ::close(int(std::exchange(handle, NativeHandle(child))));
    return true;
}

OutputFile ConfinedFolder::CreateChildFile(const std::string& name, FileAccess access) const {
    if (!IsOpen() || !IsPlainName(name)) return OutputFile();
    // Unlink first, then create exclusively: an entry that reappears in between makes the create
    // fail rather than be followed or truncated. A folder survives the unlink and fails the same way.
    if (::unlinkat(int(handle), name.c_str(), 0) != 0 && errno != ENOENT) return OutputFile();
    const mode_t mode = access == FileAccess::ReadOnly ? 0444 : 0666;
    return OutputFile(
        ::openat(int(handle), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
}
