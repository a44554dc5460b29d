#include "app/CommandLineOptions.h"

#include "dui/include/core/SStringUtil.h"
#include "support/PathText.h"
#include "support/platform/TempFolder.h"

namespace {

constexpr wchar_t kLogFileName[] = L"larkholm-setup.log";

// The text after `name` and "=" when `argument` is that switch; empty when it is `name` alone or
// has an empty value; nothing when `argument` is another argument.
std::optional<std::wstring> SwitchValue(const std::wstring& argument, std::wstring_view name) {
    if (!StartsWithNoCase(argument, name)) return std::nullopt;
    const std::wstring_view rest = std::wstring_view(argument).substr(name.size());
    if (rest.empty()) return std::wstring();
    if (rest.front() != L'=') return std::nullopt;
    return std::wstring(rest.substr(1));
}

// A value switch given without its value is a problem, not an empty value.
void TakeValue(const std::wstring& value, const std::wstring& argument, std::wstring& target,
               std::vector<std::wstring>& problems) {
    if (value.empty()) problems.push_back(L"The switch " + argument + L" needs a value");
    target = value;
}

bool IsSwitch(const std::wstring& argument, std::wstring_view name) {
    return argument.size() == name.size() && StartsWithNoCase(argument, name);
}

}  // namespace

CommandLineOptions ParseCommandLine(const std::vector<std::wstring>& arguments,
                                    const std::wstring& defaultLogFile) {
    CommandLineOptions options;
    WizardRun& run = options.run;
    for (const std::wstring& argument : arguments) {
        if (const auto log = SwitchValue(argument, L"/log")) {
            options.logFile = log->empty() ? defaultLogFile : *log;
        } else if (IsSwitch(argument, L"/silent")) {
            run.mode = RunMode::kSilent;
        } else if (IsSwitch(argument, L"/verysilent")) {
            run.mode = RunMode::kVerySilent;
        } else if (IsSwitch(argument, L"/nolaunch")) {
            run.launch = false;
        } else if (IsSwitch(argument, L"/uninstall")) {
            run.uninstall = true;
        } else if (IsSwitch(argument, L"/?") || IsSwitch(argument, L"--help")) {
            options.help = true;
        } else if (const auto shop = SwitchValue(argument, L"/shop")) {
            TakeValue(*shop, argument, run.shop, options.problems);
        } else if (const auto folder = SwitchValue(argument, L"/dir")) {
            TakeValue(*folder, argument, run.folder.emplace(), options.problems);
        } else if (const auto file = SwitchValue(argument, L"/passwordfile")) {
            TakeValue(*file, argument, options.passwordFile.emplace(), options.problems);
        } else if (SwitchValue(argument, L"/password")) {
            // Said without the value, which must not reach the log either.
            options.problems.push_back(
                L"A password on the command line is refused; use /PASSWORDFILE= or LARKHOLM_PASSWORD");
        } else {
            options.problems.push_back(L"Unknown argument: " + argument);
        }
    }
    return options;
}

std::wstring DefaultLogFile() {
    return JoinPath(TempFolder(), kLogFileName);
}

std::string UsageText() {
    return "Usage: larkholm-setup [switches]\n"
           "\n"
           "  /SILENT            install unattended; the window shows the progress and asks nothing\n"
           "  /VERYSILENT        install unattended without any window\n"
           "  /SHOP=id           the shop id (unattended install)\n"
           "  /DIR=folder        the install folder (unattended install; default: Program Files)\n"
           "  /PASSWORDFILE=file the shop password: the first line of `file`, UTF-8; without this\n"
           "                     switch it is read from the LARKHOLM_PASSWORD environment variable\n"
           "  /NOLAUNCH          do not start the installed program at the end\n"
           "  /UNINSTALL         remove the installation (with /SILENT or /VERYSILENT: without asking)\n"
           "  /LOG[=file]        write the log to `file` (default: larkholm-setup.log in the\n"
           "                     temporary folder); without it every run writes\n"
           "                     larkholm-setup-<date>-<time>.log there and the last five are kept\n"
           "  /? or --help       show this text\n"
           "\n"
           "Exit codes: 0 installed or uninstalled, 1 no display, 2 bad arguments or form values,\n"
           "3 refused by the install service, 4 download failed, 5 unpacking failed,\n"
           "6 prerequisite failed, 7 cancelled, 8 a file of the installation is in use,\n"
           "9 nothing to uninstall, 10 installed but not registered, 3010 installed, restart needed.\n";
}
