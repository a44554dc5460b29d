// Starting programs: the component installers (RunProgram) and the shell's "open" verb for the
// installed program and for links. On Linux a PE file (an "MZ" header) runs through `wine` when
// `wine` is on PATH; a native executable or script is started directly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Starts `path` with `arguments` (split at spaces; no quoting, as on the Windows command line the
// product builds). Returns 0 once started (and, with `wait`, once it has ended; its exit code is
// not read), or the platform's error code when it cannot be started (ENOENT, EACCES, ENOEXEC for a
// PE file without wine, ...).
std::uint32_t RunProgram(const std::string& path, const std::string& arguments, bool wait);

// Opens a URL or document with the desktop's handler (xdg-open), or runs a PE file through wine.
// Does not wait. False when nothing could be started.
bool ShellOpen(const std::wstring& target);

// Test seam: while set, ShellOpen hands its target to `handler` instead of the desktop.
void SetShellOpenHandler(std::function<bool(const std::wstring&)> handler);
