#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "support/platform/SecuredFolder.h"

FolderSecurity SecureFolder(const std::string& path, ExistingFolder existing) {
    // mkdir's mode is narrowed by the umask; the folder then gets exactly 0755 by fchmod below.
    if (::mkdir(path.c_str(), 0700) == 0) {
        const int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const bool secured = folder >= 0 && ::fchmod(folder, 0755) == 0;
        if (folder >= 0) ::close(folder);
        return secured ? FolderSecurity::Created : FolderSecurity::Failed;
    }
    if (errno != EEXIST) return FolderSecurity::Failed;
    if (existing == ExistingFolder::Refuse) return FolderSecurity::Unsafe;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return FolderSecurity::Failed;
    const bool ours = info.st_uid == ::geteuid() || info.st_uid == 0;
    const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return S_ISDIR(info.st_mode) && ours && !othersWrite ? FolderSecurity::Safe : FolderSecurity::Unsafe;
}
