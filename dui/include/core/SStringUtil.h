// Small text helpers the framework shares: ASCII case folding (element, attribute, resource and
// class names are ASCII and compare without regard to case), trimming, splitting and the integer
// forms attributes use. Pure functions, callable from any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::wstring ToLowerAscii(std::wstring_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);
// -1, 0 or 1 like wcscmp after ASCII lower-casing both sides.
int CompareNoCase(std::wstring_view a, std::wstring_view b);

// Removes white space (space, tab, CR, LF) at both ends.
std::wstring Trim(std::wstring_view text);
// Splits at every `separator`; "a,,b" gives three parts and "" gives one empty part.
std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator);

// Decimal, or hexadecimal after "0x"/"0X", with an optional leading "-". Reads the leading number
// like strtol does and gives 0 when there is none.
long ParseIntAuto(std::wstring_view text);
// True for any text but "0" (the framework's flag attributes).
inline bool ParseFlag(std::wstring_view text) {
    return text != L"0";
}
