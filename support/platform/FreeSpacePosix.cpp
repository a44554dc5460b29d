#include <sys/statvfs.h>

#include "support/platform/FreeSpace.h"

std::optional<std::uint64_t> FreeBytes(const std::string& folder) {
    struct statvfs status {};
    if (::statvfs(folder.c_str(), &status) != 0) return std::nullopt;
    return std::uint64_t(status.f_bavail) * std::uint64_t(status.f_frsize);
}
