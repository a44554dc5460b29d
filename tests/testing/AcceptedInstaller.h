// Installer bytes the component workers accept as they are configured for the tests. On Windows
// that is the demo WIC installer signed by the tests' authority (tests/testing/sign-test-programs.sh;
// the suites run with LARKHOLM_WIC_SIGNER and LARKHOLM_DOTNET_SIGNER naming its signer). On Linux,
// where nothing is pinned in the tests, any bytes are accepted: 100 KiB of them.
#pragma once

#include <string>

namespace larkholm::testing {

std::string AcceptedInstaller();

// An installer the workers accept that appends a line to the file LARKHOLM_DEMO_START_LOG names at
// each start: its own path, a tab, the arguments it was given. On Windows the signed demo installer,
// on Linux a script.
std::string StartRecordingInstaller();

// Windows build only: the path of a program sign-test-programs.sh made for this run ("signed.exe",
// "flipped.exe", ...).
std::string SignedProgram(const std::string& name);

}  // namespace larkholm::testing
