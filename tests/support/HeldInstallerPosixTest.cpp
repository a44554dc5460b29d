// Linux installers are scripts without a signature: the SHA-256 pin, when there is one, is the proof.
#include <gtest/gtest.h>

#include <string>

#include "support/platform/HeldInstaller.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

constexpr char kAbc[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(HeldInstallerPosixTest, ThePinIsTheProof) {
    TempDir dir;
    HeldInstaller installer;
    ASSERT_EQ(installer.Open(dir.WriteFile("installer", "abc")), 0u);
    const std::string otherPin(64, '0');
    std::string problem;
    EXPECT_FALSE(installer.Proves({"", otherPin}, problem));
    EXPECT_EQ(problem, std::string("SHA-256 ") + kAbc + " differs from the pinned " + otherPin);
    EXPECT_TRUE(installer.Proves({"", kAbc}, problem));
    EXPECT_TRUE(installer.Proves({}, problem));  // nothing pinned, nothing to prove
    installer.Close();
    EXPECT_FALSE(installer.Proves({}, problem));  // nothing held
}

}  // namespace
