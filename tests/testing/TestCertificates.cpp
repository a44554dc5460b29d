#include "tests/testing/TestCertificates.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace larkholm::testing {
namespace {

std::string Folder() {
    return LARKHOLM_TEST_CERTIFICATES;
}

}  // namespace

std::string TestCertificates::Chain(const std::string& name) {
    return Folder() + "/" + name + "-chain.pem";
}

std::string TestCertificates::Key(const std::string& name) {
    return Folder() + "/" + name + ".key";
}

std::string TestCertificates::Root() {
    return Folder() + "/root.pem";
}

void TestCertificates::ExpectMade() {
    EXPECT_TRUE(std::filesystem::exists(Folder() + "/done"))
        << "no test certificates in " << Folder() << ": run the test through ctest (fixture TestAuthority)";
}

}  // namespace larkholm::testing
