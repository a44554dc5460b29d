#include "app/SetupProcess.h"

#include "app/CommandLineOptions.h"
#include "app/ExitCode.h"
#include "app/ProductRegistration.h"
#include "app/RunLog.h"
#include "app/UnattendedPassword.h"
#include "app/Uninstall.h"
#include "app/WizardApplication.h"
#include "dui/src/host/headless/HostHeadless.h"
#include "support/Log.h"
#include "support/LogFile.h"
#include "support/WideFormat.h"
#include "support/platform/StandardOutput.h"
#include "support/platform/SystemTime.h"
#include "support/platform/TempFolder.h"
#include "support/platform/TemporaryCopy.h"

namespace {

const wchar_t* ModeName(RunMode mode) {
    switch (mode) {
        case RunMode::kSilent:
            return L"silent";
        case RunMode::kVerySilent:
            return L"very silent";
        case RunMode::kInteractive:
            break;
    }
    return L"interactive";
}

int RunWizard(const WizardRun& run) {
    std::unique_ptr<IHost> host;
    if (run.mode == RunMode::kVerySilent) host = std::make_unique<HostHeadless>();
    WizardApplication wizard(std::move(host), run);
    if (!wizard.Start()) return kExitNoWindow;
    return wizard.Run();
}

// Judges the arguments and completes the run; kExitInstalled when the wizard may start.
int PrepareRun(CommandLineOptions& options) {
    WizardRun& run = options.run;
    // An argument nobody will see ignored must not be ignored.
    const bool strict = run.Unattended() || run.uninstall;
    for (const std::wstring& problem : options.problems) Log(problem);
    if (strict && !options.problems.empty()) return kExitBadArguments;
    if (!run.Unattended() || run.uninstall) return kExitInstalled;
    std::wstring problem;
    const std::optional<std::wstring> password = ReadUnattendedPassword(options.passwordFile, problem);
    if (!password) {
        Log(problem);
        return kExitBadArguments;
    }
    run.password = *password;
    return kExitInstalled;
}

}  // namespace

int RunSetup(const std::vector<std::wstring>& arguments) {
    CommandLineOptions options = ParseCommandLine(arguments, DefaultLogFile());
    if (options.help) {
        WriteStandardOutput(UsageText());
        return kExitInstalled;
    }
    // An uninstall goes on in a temporary copy where the program's own file must go too; this
    // process then only passes the copy's exit code on, and writes no log of its own.
    std::wstring copyProblem;
    if (options.run.uninstall) {
        if (const std::optional<int> copyExitCode = RunInTemporaryCopy(copyProblem)) return *copyExitCode;
    }
    const std::wstring logFile = StartRunLog(options.logFile, TempFolder(), CurrentLocalTime());
    Log(WideFormat(L"Larkholm setup: %ls %ls run, log file %ls",
                   options.run.uninstall ? L"uninstall" : L"install", ModeName(options.run.mode),
                   logFile.c_str()));
    if (!copyProblem.empty()) Log(copyProblem);
    const std::optional<Installation> registered =
        options.run.uninstall ? ReadInstallation() : std::optional<Installation>();
    int exitCode = PrepareRun(options);
    if (exitCode == kExitInstalled) exitCode = RunWizard(options.run);
    // The original this copy runs for ends now; what it held can go.
    if (ReleaseOriginal(exitCode) && exitCode == kExitInstalled && registered)
        RemoveInstallFolder(*registered);
    Log(WideFormat(L"Exit code %d", exitCode));
    StopLogFile();
    return exitCode;
}
