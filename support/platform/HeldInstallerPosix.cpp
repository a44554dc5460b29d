#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "support/platform/HeldInstaller.h"

std::uint32_t HeldInstaller::Open(const std::string& installerPath) {
    Close();
    // Not through a link: the installer is a file the wizard itself wrote into its folder.
    const int descriptor = ::open(installerPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) return std::uint32_t(errno);
    path = installerPath;
    handle = descriptor;
    return 0;
}

void HeldInstaller::Close() {
    if (handle != kNoHandle) ::close(int(handle));
    handle = kNoHandle;
    path.clear();
}

// Linux installers are scripts and carry no signature; the SHA-256 pin is their proof.
bool HeldInstaller::SignedBy(const std::string&, std::string&) const {
    return true;
}

std::int64_t HeldInstaller::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    for (;;) {
        const ssize_t read = ::pread(int(handle), buffer, size, off_t(offset));
        if (read >= 0 || errno != EINTR) return read;
    }
}
