// The wizard's entry point. Its one option is /LOG[=file] (app/CommandLineOptions.h); the endpoints
// are compiled in (support/Config.h). The exit code is the quit code, 0.
#include "app/CommandLineOptions.h"
#include "app/WizardApplication.h"
#include "support/LogFile.h"
#include "support/platform/ComApartment.h"
#include "support/platform/CommandLine.h"

namespace {

int RunWizard() {
    WizardApplication wizard;
    if (!wizard.Start()) return 1;
    return wizard.Run();
}

}  // namespace

int main(int argc, char* argv[]) {
    // The apartment outlives everything the wizard makes, the folder picker among it.
    const ComApartment apartment;
    const CommandLineOptions options = ParseCommandLine(ProgramArguments(argc, argv), DefaultLogFile());
    if (options.logFile) StartLogFile(*options.logFile);
    const int exitCode = RunWizard();
    StopLogFile();
    return exitCode;
}
