#include <gtest/gtest.h>

#include <cstdio>
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

std::string Md5sum(const std::string& path) {
    std::FILE* pipe = ::popen(("md5sum '" + path + "'").c_str(), "r");
    if (pipe == nullptr) return {};
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    ::pclose(pipe);
    return read ? std::string(line, 32) : std::string();
}

TEST(Md5Test, FileDigestsMatchMd5sum) {
    TempDir dir;
    std::mt19937 random(1321);
    for (const std::size_t size : {0, 1, 63, 64, 65, 1023, 1024, 1025, 3 * 1024 * 1024 + 7}) {
        std::string content(size, '\0');
        for (char& c : content) c = char(random());
        const std::string path = dir.WriteFile("file" + std::to_string(size), content);
        std::string digest = "stale";
        ASSERT_TRUE(Md5OfFile(path, digest)) << size;
        EXPECT_EQ(digest, Md5sum(path)) << size;
        EXPECT_EQ(digest, Md5(content).HexDigest()) << size;
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
