#include <gtest/gtest.h>

#include <string>

#include "support/platform/HeldInstaller.h"
#include "support/platform/Sha256.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

// Digests from the standard's examples (FIPS 180-2), and one file larger than a read.
TEST(HeldInstallerTest, Sha256OfTheHeldFile) {
    const struct {
        std::string content;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {std::string(3 << 20, '\0'), "bbd05cf6097ac9b1f89ea29d2542c1b7b67ee46848393895f5a9e43fa1f621e5"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.size());
        HeldInstaller installer;
        ASSERT_EQ(installer.Open(dir.WriteFile("installer", c.content)), 0u);
        EXPECT_EQ(installer.Sha256Hex(), c.digest);
        installer.Close();
    }
}

TEST(HeldInstallerTest, StreamedDigestEqualsTheWholeOne) {
    Sha256 whole;
    whole.Update("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 56);
    Sha256 pieces;
    pieces.Update("abcdbcdecdefdefgefgh", 20);
    pieces.Update("fghighijhijkijkljklmklmnlmnomnopnopq", 36);
    const std::string digest = whole.HexDigest();
    EXPECT_EQ(digest, "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(pieces.HexDigest(), digest);
}

TEST(HeldInstallerTest, MissingFileGivesTheSystemsError) {
    TempDir dir;
    HeldInstaller installer;
    EXPECT_NE(installer.Open(dir / "missing.exe"), 0u);
    EXPECT_FALSE(installer.IsOpen());
}

}  // namespace
