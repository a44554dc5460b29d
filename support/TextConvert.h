// Conversions between the program's three text encodings: wide text (what the UI shows; UTF-16 on
// Windows, where surrogate pairs make one character, UTF-32 on Linux), the ANSI code page for form
// values, URLs and narrow log lines (the system's CP_ACP on Windows, UTF-8 on Linux), and UTF-8:
// the bytes of the install service, and the narrow paths the program passes around on every
// platform (support/platform/FileSystemPath.h turns them into the system's own form). Invalid
// input never fails: an undecodable byte becomes U+FFFD and an unpaired surrogate is encoded as
// U+FFFD. A character the ANSI code page lacks becomes the code page's default character ("?") on
// Windows.
#pragma once

#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// The character at `i` of wide text, joining a UTF-16 surrogate pair where wchar_t is 16 bits;
// advances `i` past it. An unpaired surrogate comes back as it is. `i` must be inside `s`.
char32_t NextWide(std::wstring_view s, size_t& i);
// Appends one character to wide text: a surrogate pair where wchar_t is 16 bits and `c` lies
// beyond the first plane (an emoji, a rare CJK ideograph), else one unit.
void AppendWide(std::wstring& out, char32_t c);

// The two halves of a UTF-16 surrogate pair, and the character they make together.
constexpr bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr char32_t JoinSurrogates(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// Bytes as lowercase hexadecimal text, two digits each (digests for the log and for comparison).
std::string LowerHex(const unsigned char* bytes, size_t size);

// Implemented per platform (support/platform/AnsiCodePage*.cpp).
std::string WideToAnsi(std::wstring_view wide);
std::wstring AnsiToWide(std::string_view ansi);
