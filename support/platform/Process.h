// Starting programs: the component installers (RunProgram) and the shell's "open" verb for the
// installed program and for links. Windows starts them with CreateProcessW and ShellExecuteW. On
// Linux a PE file (an "MZ" header) runs through `wine` when `wine` is on PATH; a native executable
// or script is started directly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "support/platform/StopEvent.h"

// Starts `path` (UTF-8) with `arguments`: the command line is `path` + " " + `arguments`, the arguments
// unquoted (Linux splits them at spaces); Windows quotes a path that holds a blank, so that no
// prefix of it ("C:\Documents.exe") can be started instead; the program starts in the system
// folder on Windows, so its current folder adds no DLLs to its search. Returns 0 once started, or the
// platform's error code when it cannot be started (Windows: GetLastError(), e.g.
// ERROR_FILE_NOT_FOUND; Linux: ENOENT, EACCES, ENOEXEC for a PE file without wine, ...). With
// `wait` it returns only once the program has ended or `stop` is raised; a stopped wait leaves the
// program running by itself. `exitCode`, when given, receives the program's exit code once it has
// ended by itself (a program killed by a signal on Linux reads as 128 + the signal) and is left
// alone otherwise.
std::uint32_t RunProgram(const std::string& path, const std::string& arguments, bool wait,
                         const StopEvent* stop = nullptr, std::uint32_t* exitCode = nullptr);

// Opens a URL or document with the desktop's handler, or starts a program: the shell's "open" verb
// on Windows; xdg-open on Linux, or wine for a PE file. Does not wait. False when nothing could be
// started.
bool ShellOpen(const std::wstring& target);

// How OpenLink reached the desktop.
enum class LinkOpening {
    AsSignedInUser,  // through the desktop shell (Windows) or as the user who ran sudo/pkexec (Linux)
    AsThisProcess,   // that way was not there: opened as ShellOpen does, with this process's rights
    Failed,
};

// Opens a link the operator clicked (a web page, a download) with the desktop's handler as the
// signed-in user, not with the rights of this (elevated) process: Windows hands it to the desktop
// shell, the Explorer process of the signed-in user, through IShellWindows and
// IShellDispatch2::ShellExecute, as installers do; Linux, in a process that sudo or pkexec made root,
// runs xdg-open as the user in SUDO_UID or PKEXEC_UID. Where there is no such way (no desktop
// shell; not started through sudo or pkexec), it falls back to ShellOpen. Does not wait. Must be
// called on a thread with a COM apartment on Windows (the UI thread).
LinkOpening OpenLink(const std::wstring& target);

// Test seam: while set, ShellOpen and OpenLink hand their target to `handler` instead of the desktop
// (OpenLink then answers AsSignedInUser, or Failed).
void SetShellOpenHandler(std::function<bool(const std::wstring&)> handler);
