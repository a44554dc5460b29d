#include "dui/include/core/SLog.h"

#include <cstdarg>
#include <string>

#include "support/DebugOutput.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"

namespace {
constexpr size_t kMaxMessage = 2048;
}

// The wizard installs no log manager, so every line goes to the debugger output; level and
// source are kept in the signature for call sites and for a later log manager.
void SLogFormat(SLogLevel, const wchar_t*, int, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    std::wstring message = WideFormatV(format, args);
    va_end(args);
    if (message.size() > kMaxMessage) message.resize(kMaxMessage);
    DebugOutput(WideToUtf8(message) + "\n");
}
