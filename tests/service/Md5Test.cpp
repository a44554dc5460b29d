#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "service/Md5.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::TempDir;

TEST(Md5Test, MatchesTheRfc1321TestSuite) {
    const struct {
        std::string message, digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Md5(c.message).HexDigest(), c.digest) << c.message;
        std::istringstream stream(c.message);
        EXPECT_EQ(Md5(stream).HexDigest(), c.digest) << c.message;
    }
}

TEST(Md5Test, PiecewiseUpdatesAndRepeatedDigestsAgree) {
    std::string message(1000, '\0');
    for (std::size_t i = 0; i < message.size(); ++i) message[i] = char(i * 7 + 3);
    const std::string whole = Md5(message).HexDigest();
    // Split points around the 64-byte block and the 56-byte padding boundaries.
    for (const std::size_t split : {0, 1, 55, 56, 63, 64, 65, 119, 120, 999, 1000}) {
        Md5 md5;
        md5.Update(message.data(), split);
        md5.Update(message.substr(split));
        EXPECT_EQ(md5.HexDigest(), whole) << split;
        EXPECT_EQ(md5.HexDigest(), whole) << "second digest, split " << split;
    }

    // A digest taken midway does not disturb the message.
    Md5 md5;
    md5.Update(message.substr(0, 100));
    EXPECT_EQ(md5.HexDigest(), Md5(message.substr(0, 100)).HexDigest());
    md5.Update(message.substr(100));
    EXPECT_EQ(md5.HexDigest(), whole);
}

TEST(Md5Test, StreamThatAlreadyFailedAddsNothing) {
    std::istringstream stream("abc");
    stream.setstate(std::ios::failbit);
    EXPECT_EQ(Md5(stream).HexDigest(), "d41d8cd98f00b204e9800998ecf8427e");
}

// Pseudo-random files (a fixed mt19937 seed, so the same bytes everywhere) of sizes around the
// block and buffer boundaries, with the digests md5sum gives for them.
TEST(Md5Test, FileDigestsMatchMd5sum) {
    const struct {
        std::size_t size;
        const char* md5sum;
    } cases[] = {
        {0, "d41d8cd98f00b204e9800998ecf8427e"},       {1, "6465dad1d31752be3f3283e8f70feef7"},
        {63, "5a7eee8dfc6ca86ba1fee69c8e4086ad"},      {64, "f969b5c90b70dd06ca95f9c6ff9b747c"},
        {65, "d9a553250b2fd6afe46e1aebab3c54fc"},      {1023, "8ab48e11c2ba741c6ab2e590a8e4a85a"},
        {1024, "b233a1db659bf7bc2dab7d035d0260ee"},    {1025, "371b0733a5f0549b89fe8dea45de98f0"},
        {3145735, "09277d5cb31d233b7a49e0a054223b84"},
    };
    TempDir dir;
    std::mt19937 random(1321);
    for (const auto& c : cases) {
        std::string content(c.size, '\0');
        for (char& byte : content) byte = char(random());
        const std::string path = dir.WriteFile("file" + std::to_string(c.size), content);
        std::string digest = "stale";
        ASSERT_TRUE(Md5OfFile(path, digest)) << c.size;
        EXPECT_EQ(digest, c.md5sum) << c.size;
        EXPECT_EQ(digest, Md5(content).HexDigest()) << c.size;
    }
}

TEST(Md5Test, MissingFileAndFolderAreNotOpened) {
    TempDir dir;
    for (const std::string& path : {dir / "missing", dir.Path().string()}) {
        std::string digest = "stale";
        EXPECT_FALSE(Md5OfFile(path, digest)) << path;
        EXPECT_EQ(digest, "") << path;
    }
}

}  // namespace
