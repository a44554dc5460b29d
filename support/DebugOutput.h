// Where diagnostic text goes: the system's debug channel (support/platform/DebugChannel.h), the log
// file when /LOG opened one (support/LogFile.h), and a test's observer.
#pragma once

#include <functional>
#include <string_view>

// Writes `text` (UTF-8) as it is to each of them. Callable from any thread.
void DebugOutput(std::string_view text);

// Test seam: every text written is also handed to `observer` (on the writing thread). Pass an
// empty function to remove it.
void SetDebugOutputObserver(std::function<void(std::string_view)> observer);
