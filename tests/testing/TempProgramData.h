// The machine-wide application data folder (CSIDL_COMMON_APPDATA) that the wizard downloads into,
// clean for one test.
//   Linux: drive_c/ProgramData of a TempWinePrefix, installed as $WINEPREFIX while the object lives.
//   Windows: the real folder of the prefix the suite runs in; the product's folder in it is removed
//   when the object is made (a crashed run may have left it) and again when it goes away.
#pragma once

#include <filesystem>
#include <memory>

namespace larkholm::testing {

class TempProgramData {
public:
    TempProgramData();
    ~TempProgramData();
    TempProgramData(const TempProgramData&) = delete;
    TempProgramData& operator=(const TempProgramData&) = delete;

    const std::filesystem::path& Path() const { return path; }

private:
    struct Machine;
    std::unique_ptr<Machine> machine;
    std::filesystem::path path;
};

}  // namespace larkholm::testing
