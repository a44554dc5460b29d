#include "components/ComponentDetection.h"

#include <algorithm>
#include <climits>
#include <cwctype>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "support/platform/WindowsView.h"

namespace {

// The version is read into a buffer of 64 units, terminator included; a longer value does not fit
// and reads as a failure.
constexpr std::size_t kVersionUnits = 64;

// The number the text before the first "." (or NUL) stands for, read as atoi reads it: blanks
// skipped, an optional sign, the digits up to the first non-digit (none give 0). Saturates instead
// of overflowing.
long MajorVersion(const std::wstring& version) {
    const std::wstring_view major =
        std::wstring_view(version).substr(0, version.find_first_of(std::wstring_view(L".\0", 2)));
    std::size_t at = 0;
    while (at < major.size() && std::iswspace(static_cast<wint_t>(major[at]))) ++at;
    const bool negative = at < major.size() && major[at] == L'-';
    if (at < major.size() && (major[at] == L'-' || major[at] == L'+')) ++at;
    long value = 0;
    for (; at < major.size() && major[at] >= L'0' && major[at] <= L'9'; ++at) {
        const long digit = major[at] - L'0';
        value = value > (LONG_MAX - digit) / 10 ? LONG_MAX : value * 10 + digit;
    }
    return negative ? -value : value;
}

}  // namespace

bool IsWicInstalled() {
    std::error_code error;
    return std::filesystem::exists(MapWindowsPath("c:\\windows\\system32\\WindowsCodecs.dll"), error);
}

bool IsDotNet4Installed() {
    const auto version =
        ReadHklmString(L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client", L"Version");
    if (!version || version->size() >= kVersionUnits) return false;
    return MajorVersion(*version) >= 4;
}
