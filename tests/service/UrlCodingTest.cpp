#include <gtest/gtest.h>

#include "service/UrlCoding.h"

namespace {

TEST(UrlCodingTest, EncodeKeepsUnreservedAndEscapesEverythingElse) {
    const struct {
        std::string plain, encoded;
    } cases[] = {
        {"", ""},
        {"AZaz09-_.~", "AZaz09-_.~"},
        {"a b", "a+b"},
        {"&=/", "%26%3D%2F"},
        {"+%?#", "%2B%25%3F%23"},
        {"\xD6", "%D6"},
        {"\n", "%0A"},
        {std::string("\0\x7F\xFF", 3), "%00%7F%FF"},
        {"中", "%E4%B8%AD"},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlEncode(c.plain), c.encoded) << c.plain;
}

TEST(UrlCodingTest, DecodeIsTheInverseAndCopiesMalformedEscapes) {
    const struct {
        std::string encoded, plain;
    } cases[] = {
        {"a%20b+c", "a b c"}, {"%26%3d%2F", "&=/"}, {"%E4%B8%AD", "中"}, {"100%", "100%"},
        {"%4", "%4"},         {"%zz%4g", "%zz%4g"}, {"%%41", "%A"},      {"%", "%"},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlDecode(c.encoded), c.plain) << c.encoded;

    std::string allBytes;
    for (int b = 0; b < 256; ++b) allBytes += char(b);
    EXPECT_EQ(UrlDecode(UrlEncode(allBytes)), allBytes);
}

}  // namespace
