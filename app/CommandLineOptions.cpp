#include "app/CommandLineOptions.h"

#include <algorithm>

#include "support/PathText.h"
#include "support/platform/TempFolder.h"

namespace {

constexpr std::wstring_view kLogSwitch = L"/log";
constexpr wchar_t kLogFileName[] = L"larkholm-setup.log";

wchar_t AsciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

bool StartsWithSwitch(std::wstring_view argument, std::wstring_view name) {
    return argument.size() >= name.size() &&
           std::equal(name.begin(), name.end(), argument.begin(),
                      [](wchar_t expected, wchar_t actual) { return AsciiLower(actual) == expected; });
}

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::wstring>& arguments,
                                    const std::wstring& defaultLogFile) {
    CommandLineOptions options;
    for (const std::wstring& argument : arguments) {
        if (!StartsWithSwitch(argument, kLogSwitch)) continue;
        const std::wstring_view rest = std::wstring_view(argument).substr(kLogSwitch.size());
        if (rest.empty() || rest == L"=") {
            options.logFile = defaultLogFile;
        } else if (rest.front() == L'=') {
            options.logFile = std::wstring(rest.substr(1));
        }
        // "/LOGGING" and the like are other switches, and ignored.
    }
    return options;
}

std::wstring DefaultLogFile() {
    return JoinPath(TempFolder(), kLogFileName);
}
