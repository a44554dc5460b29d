#include "dui/include/core/SLog.h"

#include <cstdarg>
#include <cwchar>
#include <string>

#include "support/TextConvert.h"
#include "support/platform/DebugOutput.h"

namespace {
constexpr size_t kMaxMessage = 2048;
}

// The wizard installs no log manager, so every line goes to the debugger output; level and
// source are kept in the signature for call sites and for a later log manager.
void SLogFormat(SLogLevel, const wchar_t*, int, const wchar_t* format, ...) {
    wchar_t buffer[kMaxMessage + 1];
    buffer[0] = L'\0';
    va_list args;
    va_start(args, format);
    const int written = std::vswprintf(buffer, kMaxMessage + 1, format, args);
    va_end(args);
    // vswprintf fails on overflow without telling how much fitted: keep what it wrote.
    buffer[kMaxMessage] = L'\0';
    const std::wstring message = written >= 0 ? std::wstring(buffer, size_t(written)) : std::wstring(buffer);
    DebugOutput(WideToAnsi(message) + "\n");
}
