// The machine a harnessed wizard checks and installs on, for one test, with WIC and .NET Framework
// 4 present or missing as the test asks:
//   Linux: a fresh TempWinePrefix, installed as $WINEPREFIX while the object lives.
//   Windows: the Wine prefix the suite runs in. The .NET key is written to its registry or removed,
//   and removed again at the end; the product's folder under ProgramData starts and ends clean.
//   WIC is part of every Windows the wizard runs on and cannot be taken away, so kBothMissing is
//   for Linux tests only.
#pragma once

#include <memory>

class WizardMachine {
public:
    enum class Components { kPresent, kDotNetMissing, kBothMissing };

    explicit WizardMachine(Components components);
    ~WizardMachine();
    WizardMachine(const WizardMachine&) = delete;
    WizardMachine& operator=(const WizardMachine&) = delete;

private:
    struct Parts;
    std::unique_ptr<Parts> parts;
};
