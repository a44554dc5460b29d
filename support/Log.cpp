#include "support/Log.h"

#include <cstdio>

#include "support/DebugOutput.h"
#include "support/TextConvert.h"
#include "support/platform/SystemTime.h"

std::string FormatLogLine(const std::wstring& text, const LocalTime& time) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%04d-%02d-%02d %02d:%02d:%02d %03d - ", time.year, time.month,
                  time.day, time.hour, time.minute, time.second, time.millisecond);
    std::string line = prefix;
    line += WideToUtf8(text);
    line += "\r\n";
    return line;
}

void Log(const std::wstring& text) {
    DebugOutput(FormatLogLine(text, CurrentLocalTime()));
}
