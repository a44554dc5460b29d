// An open folder below which extraction creates folders and files one name at a time, never
// through a symbolic link: a link planted under the folder (before or during extraction) makes the
// step fail instead of leading the write somewhere else. Only the root is reached by a whole path,
// with links followed, because the caller chose it.
//
// Every name handed to EnterChild and CreateFile is one path component; "", "." and ".." and names
// holding "/" or a NUL are refused. Nothing created here is ever a link, a device, a FIFO or a
// set-user-id file. Move-only; one thread at a time.
#pragma once

#include <string>

#include "support/platform/OutputFile.h"

enum class FileAccess { Writable, ReadOnly };

class ConfinedFolder {
public:
    ConfinedFolder() = default;
    ~ConfinedFolder();
    ConfinedFolder(ConfinedFolder&& other) noexcept;
    ConfinedFolder& operator=(ConfinedFolder&& other) noexcept;
    ConfinedFolder(const ConfinedFolder&) = delete;
    ConfinedFolder& operator=(const ConfinedFolder&) = delete;

    // Creates `path` with every missing level, then opens it. Returns a closed folder on failure.
    static ConfinedFolder OpenRoot(const std::string& path);

    bool IsOpen() const { return descriptor >= 0; }

    // Moves this handle down into the child folder `name`, creating it when missing. False (and the
    // handle unchanged) when `name` is refused, is a link, or is something other than a folder.
    bool EnterChild(const std::string& name);

    // Creates the file `name` for writing. Whatever non-folder entry had that name (a file, a link,
    // a FIFO) is removed first, never opened, so a write cannot reach a file outside through a link
    // or a hard link. ReadOnly gives a file without write permission (the open handle still writes).
    // Returns a closed file on failure, including when `name` is a folder.
    OutputFile CreateFile(const std::string& name, FileAccess access) const;

private:
    explicit ConfinedFolder(int descriptor) : descriptor(descriptor) {}

    int descriptor = -1;
};
