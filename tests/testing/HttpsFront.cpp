#include "tests/testing/HttpsFront.h"

#include <gtest/gtest.h>

#include "support/platform/Process.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/TestCertificates.h"

namespace larkholm::testing {
namespace {

// A front outlives no test run by more than this, even when its test crashed.
constexpr int kLifetimeSeconds = 600;

}  // namespace

HttpsFront::HttpsFront(const std::string& certificate, int serverPort) : folder(LARKHOLM_TLS_FRONT_FOLDERS) {
    const std::string arguments = TestCertificates::Chain(certificate) + " " +
                                  TestCertificates::Key(certificate) + " " + std::to_string(serverPort) +
                                  " " + folder.Path().generic_string() + " " +
                                  std::to_string(kLifetimeSeconds);
    EXPECT_EQ(RunProgram(LARKHOLM_TLS_FRONT, arguments, false), 0u);
    const bool started = Eventually([&] { return !ReadFile(folder.Path() / "port").empty(); });
    EXPECT_TRUE(started) << "tls-front did not start for " << certificate;
    if (started) port = std::stoi(ReadFile(folder.Path() / "port"));
}

std::string HttpsFront::Url(const std::string& path) const {
    return "https://127.0.0.1:" + std::to_string(port) + path;
}

}  // namespace larkholm::testing
