#include "tests/app/WizardMachine.h"
#include "tests/testing/TempWinePrefix.h"

struct WizardMachine::Parts {
    larkholm::testing::TempWinePrefix prefix;
};

WizardMachine::WizardMachine(Components components) : parts(std::make_unique<Parts>()) {
    if (components != Components::kBothMissing) parts->prefix.InstallWic();
    if (components == Components::kPresent) parts->prefix.SetDotNetVersion("4.0.30319");
}

WizardMachine::~WizardMachine() = default;
