// The wizard's command line, in the forms Windows installers use. Switch names match without
// regard to case; given more than once, the last one counts.
//
//     /LOG              diagnostic lines go to DefaultLogFile() instead of a new file per run
//     /LOG=file         ... to `file` ("/LOG=" alone counts as /LOG)
//     /SILENT           unattended: the window shows the progress and asks nothing
//     /VERYSILENT       unattended without any window
//     /SHOP=id          the shop id for an unattended install
//     /DIR=folder       the install folder for an unattended install (default: the form's default)
//     /PASSWORDFILE=f   the shop password is the first line of file `f` (UTF-8); without it the
//                       password comes from the LARKHOLM_PASSWORD environment variable
//     /NOLAUNCH         do not start the installed program at the end
//     /UNINSTALL        remove the installation registered on this machine
//     /? or --help      print the switches and end
//
// A password is never taken from the command line, where process listings and shell histories
// would keep it: /PASSWORD=... is refused. Every refused argument is kept in `problems` as a
// sentence for the log; the caller decides what a problem costs (an unattended run ends on it).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/WizardRun.h"

struct CommandLineOptions {
    std::optional<std::wstring> logFile;  // none: a new log file for this run
    WizardRun run;                        // without the password, which is read separately
    std::optional<std::wstring> passwordFile;
    bool help = false;
    std::vector<std::wstring> problems;
};

CommandLineOptions ParseCommandLine(const std::vector<std::wstring>& arguments,
                                    const std::wstring& defaultLogFile);

// "larkholm-setup.log" in the user's temporary folder (%TEMP% on Windows).
std::wstring DefaultLogFile();

// What --help prints: one line per switch, then the exit codes.
std::string UsageText();
