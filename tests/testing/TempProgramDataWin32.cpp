#include "tests/testing/TempProgramData.h"

#include <stdlib.h>

#include <stdexcept>

#include "support/Config.h"
#include "tests/testing/TempDir.h"

namespace larkholm::testing {

namespace {

// Read from the environment rather than through the wizard's own lookup, so that tests compare the
// wizard's answer with an independent one.
std::filesystem::path MachineProgramData() {
    const wchar_t* folder = ::_wgetenv(L"ProgramData");
    if (folder == nullptr || *folder == L'\0') throw std::runtime_error("TempProgramData: no %ProgramData%");
    return folder;
}

}  // namespace

struct TempProgramData::Machine {};

TempProgramData::TempProgramData() : path(MachineProgramData()) {
    RemoveTree(path / kProductFolderName);
}

TempProgramData::~TempProgramData() {
    RemoveTree(path / kProductFolderName);
}

}  // namespace larkholm::testing
