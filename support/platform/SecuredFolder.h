// The folder the elevated wizard downloads installers into and runs them from. Under the common
// application data folder ordinary users may create folders by default, so a folder found there
// may have been made by anyone, and whoever may write into it can swap an installer or plant a DLL
// beside it before the installer runs with full rights.
//
// A folder this creates can be written by administrators and SYSTEM only (Windows: a protected DACL
// granting them full control and users read and execute; Linux: mode 0755, owned by the effective
// user, who is root when elevated). An existing folder is judged: it is safe when it is a real folder
// (no link, junction or other reparse point) owned by the Administrators group or SYSTEM (Linux: the
// effective user or root), and nobody else may write to it. Wine keeps no DACL of its own for a
// file: it shows one made from the Unix mode bits, owned by the user's account, so there every
// folder found is judged Unsafe and a fresh one is made. Callable from any
// thread.
#pragma once

#include <string>

enum class FolderSecurity {
    Created,  // made now, with the rights above
    Safe,     // there already, with the rights above
    Unsafe,   // there already, with another owner, other writers, or as a link
    Failed,   // could neither be made nor judged (see the log for why)
};

enum class ExistingFolder { Judge, Refuse };

// Creates `path` (UTF-8, one level: its parent must exist) with the rights above. When it exists,
// Judge gives its verdict, and Refuse answers Unsafe without looking (for a name that must be new).
FolderSecurity SecureFolder(const std::string& path, ExistingFolder existing);
