#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>
#include <string>

#include "install/UnicodePathExtra.h"

namespace {

std::string Block(unsigned tag, const std::string& body) {
    std::string block{char(tag & 0xFF), char(tag >> 8), char(body.size() & 0xFF), char(body.size() >> 8)};
    return block + body;
}

// A Unicode path block: version, the CRC-32 of the stored name it was made for, the UTF-8 name.
std::string UnicodePath(const std::string& forStoredName, const std::string& utf8, char version = 1) {
    const auto crc = std::uint32_t(
        crc32(0, reinterpret_cast<const Bytef*>(forStoredName.data()), uInt(forStoredName.size())));
    std::string body{version};
    for (int i = 0; i < 4; ++i) body.push_back(char((crc >> (8 * i)) & 0xFF));
    return Block(0x7075, body + utf8);
}

std::optional<std::string> NameOf(const std::string& extra, const std::string& storedName) {
    const auto name =
        UnicodePathOf(reinterpret_cast<const unsigned char*>(extra.data()), extra.size(), storedName);
    return name ? std::optional<std::string>(*name) : std::nullopt;
}

TEST(UnicodePathExtraTest, TheBlockNamesTheItemOnlyWhenItWasMadeForTheStoredName) {
    const std::string stored = "\xC5\xE4\xD6\xC3.ini";  // 配置.ini in code page 936
    const std::string timestamp = Block(0x5455, std::string("\x01\x00\x00\x00\x00", 5));
    const struct {
        const char* what;
        std::string extra;
        std::optional<std::string> name;
    } cases[] = {
        {"alone", UnicodePath(stored, "配置.ini"), "配置.ini"},
        {"after another block", timestamp + UnicodePath(stored, "配置.ini"), "配置.ini"},
        {"made for a name the item no longer has", UnicodePath("old.ini", "旧.ini"), std::nullopt},
        {"of an unknown version", UnicodePath(stored, "配置.ini", 2), std::nullopt},
        {"cut short by the end of the field", UnicodePath(stored, "配置.ini").substr(0, 12), std::nullopt},
        {"absent", timestamp, std::nullopt},
        {"empty field", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(NameOf(c.extra, stored), c.name);
    }
}

}  // namespace
