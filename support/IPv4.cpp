#include "support/IPv4.h"

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

bool IsValidIPv4(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return false;
    const size_t last = text.find_last_not_of(L' ');
    const std::wstring_view s(text.data() + first, last - first + 1);
    if (s.size() >= 100) return false;

    int dots = 0;
    size_t i = 0;
    for (;;) {
        if (i == s.size()) return dots == 3;
        if (!IsDigit(s[i])) return false;  // a part starts with a digit; this also refuses ".." and a trailing "."
        const wchar_t firstDigit = s[i];
        int value = 0;
        for (; i < s.size() && s[i] != L'.'; ++i) {
            if (!IsDigit(s[i])) return false;
            value = value * 10 + (s[i] - L'0');
            if (value > 255) return false;
        }
        if (value != 0 && firstDigit == L'0') return false;
        if (i == s.size()) return dots == 3;
        if (i + 1 >= s.size() || !IsDigit(s[i + 1])) return false;  // a dot needs a digit after it
        if (++dots > 3) return false;
        ++i;
    }
}
