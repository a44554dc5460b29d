#include "tests/testing/TempProgramData.h"

#include "tests/testing/TempWinePrefix.h"

namespace larkholm::testing {

struct TempProgramData::Machine {
    TempWinePrefix prefix;
};

TempProgramData::TempProgramData()
    : machine(std::make_unique<Machine>()), path(std::filesystem::path(machine->prefix.DriveC()) / "ProgramData") {}

TempProgramData::~TempProgramData() = default;

}  // namespace larkholm::testing
