// The framework's diagnostic lines. A message is formatted into at most 2048 characters and
// written, in the system code page, to the debugger output (standard error on Linux) as one line.
// Callable from any thread.
#pragma once

enum class SLogLevel { kTrace = 0, kDebug = 1, kInfo = 2, kWarning = 3, kError = 4 };

// `source` names the file that logs ("src\\res.mgr\\SUiDef"); `format` is a wide printf format.
void SLogFormat(SLogLevel level, const wchar_t* source, int line, const wchar_t* format, ...);
