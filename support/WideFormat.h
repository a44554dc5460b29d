// printf-style formatting of wide text for log lines and UI texts. Use "%ls" for wide strings and
// "%hs" is not portable: pass narrow text through AnsiToWide/Utf8ToWide first.
#pragma once

#include <cstdarg>
#include <string>

std::wstring WideFormat(const wchar_t* format, ...);
// The same for a caller's own variadic arguments; `args` is left as it was (the caller ends it).
// Empty when the format fails or the text would exceed 16M characters.
std::wstring WideFormatV(const wchar_t* format, va_list args);
