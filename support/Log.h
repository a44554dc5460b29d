// Diagnostic lines for developers: "YYYY-MM-DD hh:mm:ss mmm - text\r\n" on the debugger output
// (standard error on Linux), and in the log file when /LOG asked for one (support/LogFile.h). There
// is no level; every call writes one line in one system call, so lines from several threads never
// interleave. Callable from any thread.
#pragma once

#include <string>

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Writes one timestamped line; the caller has already formatted `text` (it may hold "%").
void Log(const std::wstring& text);

// The exact line Log writes for `text` at `time`, as the UTF-8 bytes that reach the output.
std::string FormatLogLine(const std::wstring& text, const LocalTime& time);
