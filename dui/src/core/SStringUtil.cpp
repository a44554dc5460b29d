#include "dui/include/core/SStringUtil.h"

#include <cstdlib>

namespace {

template <class Char>
Char LowerAscii(Char c) {
    return c >= Char('A') && c <= Char('Z') ? Char(c - 'A' + 'a') : c;
}

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
}

}  // namespace

std::wstring ToLowerAscii(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = LowerAscii(c);
    return out;
}

std::string ToLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wchar_t ca = LowerAscii(a[i]), cb = LowerAscii(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::wstring Trim(std::wstring_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsSpace(text[begin])) ++begin;
    while (end > begin && IsSpace(text[end - 1])) --end;
    return std::wstring(text.substr(begin, end - begin));
}

std::vector<std::wstring> Split(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, at == std::wstring_view::npos ? std::wstring_view::npos : at - start));
        if (at == std::wstring_view::npos) return parts;
        start = at + 1;
    }
}

long ParseIntAuto(std::wstring_view text) {
    const std::wstring s = Trim(text);
    const bool negative = !s.empty() && s[0] == L'-';
    const std::wstring_view digits = std::wstring_view(s).substr(negative ? 1 : 0);
    const bool hex = digits.size() > 1 && digits[0] == L'0' && (digits[1] == L'x' || digits[1] == L'X');
    const std::wstring number(hex ? digits.substr(2) : digits);
    const long value = std::wcstol(number.c_str(), nullptr, hex ? 16 : 10);
    return negative ? -value : value;
}
