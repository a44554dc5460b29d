// Conversions between the program's three text encodings: wide text (what the UI shows, UTF-32
// on Linux), the ANSI code page for narrow paths, form values and URLs (UTF-8 on Linux), and the
// UTF-8 bytes of the install service. Invalid input never fails: an undecodable byte becomes
// U+FFFD and an unpaired surrogate is encoded as U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
std::string WideToAnsi(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);
