// printf-style formatting of wide text for log lines and UI texts. Use "%ls" for wide strings and
// "%hs" is not portable: pass narrow text through AnsiToWide/Utf8ToWide first.
#pragma once

#include <string>

std::wstring WideFormat(const wchar_t* format, ...);
