// Whether a running program holds a file below a folder, so that an uninstall can refuse instead of
// leaving half an installation behind. Windows: every file below the folder is opened for writing
// (reading, for a read-only file) and deleting without sharing; one that a program has open, or
// runs from (a .exe or .dll), refuses.
// Linux: every process this user may inspect is looked at (/proc: its program, open files and mapped
// files, which is how a program Wine runs holds its .exe).
#pragma once

#include <optional>
#include <string>

// The program to close: on Windows the application the Restart Manager names, else the name of the
// file in use ("assist.exe"); on Linux the name of the process that uses a file. Nothing when no
// file below `folder` is in use.
std::optional<std::wstring> ProgramUsingFolder(const std::wstring& folder);
