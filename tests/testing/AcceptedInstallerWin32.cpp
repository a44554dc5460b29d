#include <cstdlib>
#include <filesystem>

#include "tests/testing/AcceptedInstaller.h"
#include "tests/testing/TempDir.h"

namespace larkholm::testing {

std::string AcceptedInstaller() {
    return ReadFile(SignedProgram("signed.exe"));
}

std::string StartRecordingInstaller() {
    return AcceptedInstaller();
}

std::string SignedProgram(const std::string& name) {
    const char* build = std::getenv("LARKHOLM_TEST_BINARY_DIR");
    return (std::filesystem::path(build != nullptr ? build : ".") / "signed-programs" / name).string();
}

}  // namespace larkholm::testing
