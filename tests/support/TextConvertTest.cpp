#include "support/TextConvert.h"

#include <gtest/gtest.h>

namespace {

TEST(TextConvertTest, RoundTripsAsciiChineseAndAstralText) {
    for (const std::string text : {"", "abc", "请选择安装目录:", "emoji \xF0\x9F\x98\x80 end"}) {
        EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
        EXPECT_EQ(WideToAnsi(AnsiToWide(text)), text);
    }
    EXPECT_EQ(Utf8ToWide("下载"), L"下载");
}

TEST(TextConvertTest, InvalidBytesBecomeReplacementCharacters) {
    struct Case {
        std::string input;
        std::wstring expected;
    };
    const Case cases[] = {
        {"a\xFF" "b", L"a\uFFFD" L"b"},            // never valid
        {"\xC3", L"\uFFFD"},                          // cut two-byte sequence
        {"\xE4\xB8", L"\uFFFD\uFFFD"},                // cut three-byte sequence
        {"\xC0\xAF", L"\uFFFD\uFFFD"},                // overlong "/"
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},      // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},  // NUL is data, not the end
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToWide(c.input), c.expected);
}

TEST(TextConvertTest, UnencodableWideValuesBecomeReplacementCharacters) {
    std::wstring bad;
    bad += static_cast<wchar_t>(0xD800);
    bad += L'a';
    bad += static_cast<wchar_t>(0xDC00);
    EXPECT_EQ(WideToUtf8(bad), "\xEF\xBF\xBD" "a" "\xEF\xBF\xBD");
    if constexpr (sizeof(wchar_t) == 4) {
        EXPECT_EQ(WideToUtf8(std::wstring(1, wchar_t(0x110000))), "\xEF\xBF\xBD");
    }
}

// U+1F600 is one unit of wide text on Linux and a surrogate pair on Windows; either way one
// character.
TEST(TextConvertTest, CharactersBeyondTheBasicPlaneSurviveTheRoundTrip) {
    const std::string utf8 = "\xF0\x9F\x98\x80";
    const std::wstring wide = Utf8ToWide(utf8);
    EXPECT_EQ(wide.size(), 4 / sizeof(wchar_t));
    EXPECT_EQ(WideToUtf8(wide), utf8);
}

}  // namespace
