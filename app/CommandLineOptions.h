// The wizard's command line. Its one switch is the log file switch of Windows installers:
//
//     /LOG          diagnostic lines also go to DefaultLogFile()
//     /LOG=file     ... to `file` ("/LOG=" alone counts as /LOG)
//
// matched without regard to case (/log, /Log=...). Given more than once, the last one counts.
// Other arguments are ignored: the wizard takes no options besides this one.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLineOptions {
    std::optional<std::wstring> logFile;  // none: the debugger output only
};

CommandLineOptions ParseCommandLine(const std::vector<std::wstring>& arguments,
                                    const std::wstring& defaultLogFile);

// "larkholm-setup.log" in the user's temporary folder (%TEMP% on Windows).
std::wstring DefaultLogFile();
