#include "app/CommandLineOptions.h"

#include "dui/include/core/SStringUtil.h"
#include "support/PathText.h"
#include "support/platform/TempFolder.h"

namespace {

constexpr std::wstring_view kLogSwitch = L"/log";
constexpr wchar_t kLogFileName[] = L"larkholm-setup.log";

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::wstring>& arguments,
                                    const std::wstring& defaultLogFile) {
    CommandLineOptions options;
    for (const std::wstring& argument : arguments) {
        if (!StartsWithNoCase(argument, kLogSwitch)) continue;
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
