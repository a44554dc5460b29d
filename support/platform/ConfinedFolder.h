// An open folder below which extraction creates folders and files one name at a time, each opened
// relative to the folder's handle and never through a link: a symbolic link, junction or other
// reparse point planted under the folder (before or during extraction) makes the step fail instead
// of leading the write somewhere else. Only the root is reached by a whole path, with links
// followed, because the caller chose it.
//
// Paths and names are UTF-8. Every name handed to EnterChild and CreateChildFile is one path
// component (IsPlainName), and Windows judges it as the UTF-16 name it stores. Windows also
// refuses names it would not store as written: device names (CON, NUL, AUX, PRN, COM1-COM9,
// LPT1-LPT9, with any extension, in any case), "name:stream", a trailing dot or space, and the
// characters < > " | ? * and controls. Its root must be a drive path ("C:\...") or a relative one;
// "\\?\", "\\.\", UNC, drive-relative ("C:x") and root-relative ("\x") forms are refused. A name
// the system resolves to another entry (another entry's short 8.3 name) is refused too.
// Nothing created here is ever a link, a device, a FIFO or a set-user-id file. Move-only; one
// thread at a time.
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

    bool IsOpen() const { return handle != kNoHandle; }

    // Moves this handle down into the child folder `name`, creating it when missing. False (and the
    // handle unchanged) when `name` is refused, is a link, or is something other than a folder.
    bool EnterChild(const std::string& name);

    // Creates the file `name` for writing. Whatever non-folder entry had that name (a file, a
    // read-only file, a link, a FIFO) is removed first, never opened for writing, so a write cannot
    // reach a file outside through a link or a hard link. ReadOnly gives a file without write
    // permission (the read-only attribute on Windows); the open handle still writes. On Windows an
    // old file that another program holds is waited for (StaysInUse) before this gives up.
    // Returns a closed file on failure, including when `name` is a folder.
    OutputFile CreateChildFile(const std::string& name, FileAccess access) const;

private:
    explicit ConfinedFolder(NativeHandle handle) : handle(handle) {}

    NativeHandle handle = kNoHandle;
};
