#include "support/TextConvert.h"

// On Linux the ANSI code page is UTF-8.
std::string WideToAnsi(std::wstring_view wide) {
    return WideToUtf8(wide);
}
std::wstring AnsiToWide(std::string_view ansi) {
    return Utf8ToWide(ansi);
}
