// The wizard's entry point. It takes no options and reads no configuration of its own (the
// endpoints are compiled in, see support/Config.h); the exit code is the quit code, 0.
#include "app/WizardApplication.h"

int main() {
    WizardApplication wizard;
    if (!wizard.Start()) return 1;
    return wizard.Run();
}
