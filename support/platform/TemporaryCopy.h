// Finishing from a temporary copy of the program. The uninstall starts from the copy of the wizard
// kept in the install folder, and Windows does not remove the file of a running program: so there
// the uninstall goes on in a copy of the program in a new temporary folder. The original starts the
// copy with its own command line, waits for the copy's exit code and ends with it; the copy, once
// the original has ended, can remove the original's file, and leaves its own file and folder to be
// deleted at the next restart (MoveFileExW with MOVEFILE_DELAY_UNTIL_REBOOT). On Linux the file of a
// running program can be removed, so the process does the work itself.
#pragma once

#include <optional>
#include <string>

// In the original: runs this process's command line in a temporary copy of the program and returns
// the copy's exit code. Nothing when this process is to do the work itself: it is such a copy
// already, the platform needs none, or the copy could not be made or started (`problem` then says
// why, for the log; the running program's own file stays behind).
std::optional<int> RunInTemporaryCopy(std::wstring& problem);

// In the copy: hands `exitCode` to the waiting original and returns once the original has ended (or
// after a minute without that), so that its file can be removed; the copy's own file and folder
// are then scheduled for deletion at the next restart. Nothing happens in a process that is no such
// copy. True when this process was such a copy.
bool ReleaseOriginal(int exitCode);
