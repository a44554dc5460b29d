// The wizard's entry point. Its switches are those of app/CommandLineOptions.h; the endpoints are
// compiled in (support/Config.h). The exit code is that of app/ExitCode.h.
#include "app/SetupProcess.h"
#include "support/platform/ComApartment.h"
#include "support/platform/CommandLine.h"
#include "support/platform/Module.h"

int main(int argc, char* argv[]) {
    LoadSystemLibrariesOnly();
    // The apartment outlives everything the wizard makes, the folder picker among it.
    const ComApartment apartment;
    return RunSetup(ProgramArguments(argc, argv));
}
