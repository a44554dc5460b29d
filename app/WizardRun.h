// How this run of the wizard goes: clicked through by an operator, or unattended with the form's
// values from the command line (app/CommandLineOptions.h), and whether it installs or uninstalls.
//
//   mode         window                      questions
//   interactive  shown                       asked
//   silent       shown, with the progress    none: the form is filled and started by itself
//   verySilent   none (an off-screen host)   none
#pragma once

#include <optional>
#include <string>

enum class RunMode { kInteractive, kSilent, kVerySilent };

struct WizardRun {
    RunMode mode = RunMode::kInteractive;
    bool uninstall = false;
    bool launch = true;  // start the installed program at the end (/NOLAUNCH clears it)
    // The form's values for an unattended install; the folder, when given, replaces the default.
    std::wstring shop;
    std::optional<std::wstring> folder;
    std::wstring password;

    bool Unattended() const { return mode != RunMode::kInteractive; }
};
