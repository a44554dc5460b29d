#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "install/ZipEntryInfo.h"

namespace {

constexpr std::uint32_t kDosHost = 0 << 8, kNtfsHost = 11 << 8, kVfatHost = 14 << 8, kUnixHost = 3 << 8,
                        kMacHost = 19 << 8;

TEST(ZipEntryInfoTest, AttributesFollowTheHostSystem) {
    struct Case {
        std::uint32_t versionMadeBy, external, attr;
    };
    const Case cases[] = {
        {kDosHost | 20, 0x21, 0x21},
        {kNtfsHost | 20, 0x16, 0x16},
        {kVfatHost, 0xFFFFFFFF, 0x37},  // only the five known bits
        {kUnixHost | 30, 0100644u << 16, 0x20},
        {kUnixHost | 30, 0100444u << 16, 0x21},  // owner may not write
        {kUnixHost | 30, (040755u << 16) | 0x10, 0x30},
        {kUnixHost | 30, 0120777u << 16, 0x20},  // a link is a plain item
        {kMacHost, 0, 0x21},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryAttributes(c.versionMadeBy, c.external), c.attr) << std::hex << c.external;
}

std::vector<unsigned char> Block(std::uint16_t tag, std::vector<unsigned char> data) {
    // Sized up front: GCC 12 misreads an insert after a four-byte header as out of bounds.
    std::vector<unsigned char> block(4 + data.size());
    block[0] = std::uint8_t(tag);
    block[1] = std::uint8_t(tag >> 8);
    block[2] = std::uint8_t(data.size());
    block[3] = std::uint8_t(data.size() >> 8);
    std::copy(data.begin(), data.end(), block.begin() + 4);
    return block;
}

std::vector<unsigned char> Times(std::uint8_t flags, std::vector<std::int32_t> seconds) {
    std::vector<unsigned char> data = {flags};
    for (const std::int32_t s : seconds)
        for (int i = 0; i < 4; ++i) data.push_back(std::uint8_t(std::uint32_t(s) >> (8 * i)));
    return data;
}

std::vector<unsigned char> Join(std::vector<std::vector<unsigned char>> blocks) {
    std::vector<unsigned char> joined;
    for (const auto& b : blocks) joined.insert(joined.end(), b.begin(), b.end());
    return joined;
}

TEST(ZipEntryInfoTest, ExtendedTimestampOverridesOnlyTheTimesItCarries) {
    constexpr std::uint16_t kUT = 0x5455, kOther = 0x7875;
    const std::uint64_t dos = 1000;
    const std::uint64_t t1 = UnixTimeToFileTime(1600000000), t2 = UnixTimeToFileTime(1500000000),
                        t3 = UnixTimeToFileTime(1400000000);
    struct Case {
        const char* what;
        std::vector<unsigned char> extra;
        std::uint64_t mtime, atime, ctime;
    };
    const Case cases[] = {
        {"last write only", Block(kUT, Times(1, {1600000000})), t1, dos, dos},
        {"central copy: flags promise more than the block holds", Block(kUT, Times(3, {1600000000})), t1, dos,
         dos},
        {"all three, in order", Block(kUT, Times(7, {1600000000, 1500000000, 1400000000})), t1, t2, t3},
        {"access time alone comes first", Block(kUT, Times(2, {1500000000})), dos, t2, dos},
        {"after a block of 300 bytes",
         Join({Block(kOther, std::vector<unsigned char>(300)), Block(kUT, Times(1, {1600000000}))}), t1, dos,
         dos},
        {"only the first UT block counts",
         Join({Block(kUT, Times(1, {1600000000})), Block(kUT, Times(1, {1500000000}))}), t1, dos, dos},
        {"before 1970", Block(kUT, Times(1, {-1})), UnixTimeToFileTime(-1), dos, dos},
        {"a block longer than the field", Join({Block(kOther, {1, 2}), {0x55, 0x54, 0xFF, 0xFF, 1, 0, 0}}),
         dos, dos, dos},
        {"too short to hold a block", {0x55, 0x54, 1, 0}, dos, dos, dos},
    };
    for (const Case& c : cases) {
        ZipEntryInfo info;
        info.atime = info.ctime = info.mtime = dos;
        ApplyExtendedTimestamp(c.extra.data(), c.extra.size(), info);
        EXPECT_EQ(info.mtime, c.mtime) << c.what;
        EXPECT_EQ(info.atime, c.atime) << c.what;
        EXPECT_EQ(info.ctime, c.ctime) << c.what;
    }
}

}  // namespace
