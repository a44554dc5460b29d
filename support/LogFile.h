// The log file of the run (app/RunLog.h: the one /LOG names, or a new one per run): while one is open, every
// text written to the debugger output (support/Log lines and the framework's) is appended to it too, as the
// same UTF-8 bytes. Each text is handed to the system as it comes, so after a crash the file holds every line
// up to the last. Callable from any thread.
#pragma once

#include <string>
#include <string_view>

// Opens `path` for appending (created when missing) and copies the debugger output to it from now
// on, in place of any earlier file. When the file cannot be opened this is said on the debugger
// output and false is returned; the program carries on without a file.
bool StartLogFile(const std::wstring& path);

// Closes the file; later texts go to the debugger output only.
void StopLogFile();

// The path of the open file; empty when none is open. Failure messages name it for support.
std::wstring LogFilePath();

// Appends `text` to the open file, if any. DebugOutput calls it for every text.
void CopyToLogFile(std::string_view text);
