// The debugger output channel: OutputDebugStringW on Windows, standard error elsewhere; and the log
// file, when /LOG opened one (support/LogFile.h).
#pragma once

#include <functional>
#include <string_view>

// Writes `text` (UTF-8) as it is, in one system call. Callable from any thread.
void DebugOutput(std::string_view text);

// Test seam: every text written is also handed to `observer` (on the writing thread). Pass an
// empty function to remove it.
void SetDebugOutputObserver(std::function<void(std::string_view)> observer);
