// The wizard's entry point. Its switches are those of app/CommandLineOptions.h; the endpoints are
// compiled in (support/Config.h). The exit code is that of app/ExitCode.h.
#include "app/SetupProcess.h"
#include "support/platform/ComApartment.h"
#include "support/platform/CommandLine.h"

int main(int argc, char* argv[]) {
    // The apartment outlives everything the wizard makes, the folder picker among it.
    const ComApartment apartment;
    return RunSetup(ProgramArguments(argc, argv));
}
