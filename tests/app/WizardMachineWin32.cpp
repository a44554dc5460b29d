#include <gtest/gtest.h>

#include "tests/app/WizardMachine.h"
#include "tests/testing/DotNetKey.h"
#include "tests/testing/TempProgramData.h"

using larkholm::testing::RemoveDotNetKey;
using larkholm::testing::WriteDotNetKey;

struct WizardMachine::Parts {
    larkholm::testing::TempProgramData programData;
};

WizardMachine::WizardMachine(Components components) : parts(std::make_unique<Parts>()) {
    EXPECT_NE(components, Components::kBothMissing) << "WIC cannot be taken from Windows";
    if (components == Components::kPresent) {
        WriteDotNetKey(L"4.0.30319");
    } else {
        RemoveDotNetKey();
    }
}

WizardMachine::~WizardMachine() {
    RemoveDotNetKey();
}
