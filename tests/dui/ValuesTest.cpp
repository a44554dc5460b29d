// Colour texts, string and colour references, named tables, the name-id table and font
// descriptions.
#include <gtest/gtest.h>

#include "tests/dui/support/CoreTestEnv.h"

namespace {

TEST(ParseColor, ReadsTheFourForms) {
    struct Case {
        const wchar_t* text;
        bool parses;
        COLORREF color;
    } cases[] = {
        {L"#ffffff", true, RGBA(255, 255, 255, 255)},
        {L"#00000066", true, RGBA(0, 0, 0, 0x66)},
        {L"#888888ff", true, RGBA(0x88, 0x88, 0x88, 255)},
        {L"#385E8B", true, RGBA(0x38, 0x5e, 0x8b, 255)},  // upper-case digits
        {L"rgb(255,0,0)", true, RGBA(255, 0, 0, 255)},
        {L"RGBA(1,2,3,4)", true, RGBA(1, 2, 3, 4)},
        {L"#fff", false, kInvalidColor},  // fewer than three fields
        {L"red", false, kInvalidColor},
        {L"", false, kInvalidColor},
        {L"rgb(1,2)", false, kInvalidColor},
    };
    for (const Case& c : cases) {
        COLORREF color = kInvalidColor;
        EXPECT_EQ(ParseColor(c.text, color), c.parses) << c.text;
        EXPECT_EQ(color, c.color) << c.text;
    }
}

TEST(ResolveValues, StringsAndColoursComeFromTheCurrentUiDef) {
    CoreTestEnv env(L"uidef:xml_init");
    struct StringCase {
        const wchar_t* text;
        const wchar_t* resolved;
    } strings[] = {
        {L"@string/title", L"Larkholm"},
        {L"@string/msg_btn_yes", L"是"},
        {L"@String/title", L"@String/title"},  // the prefix is case-sensitive: taken literally
        {L"@string/unknown", L""},
        {L"plain text", L"plain text"},
        {L"", L""},
    };
    for (const StringCase& c : strings) EXPECT_EQ(ResolveString(c.text), c.resolved) << c.text;

    struct ColorCase {
        const wchar_t* text;
        COLORREF color;
    } colors[] = {
        {L"@color/red", RGBA(255, 0, 0, 255)}, {L"@color/gray", RGBA(0x80, 0x80, 0x80, 255)},
        {L"@color/broken", kInvalidColor},  // its value did not parse, so the entry was skipped
        {L"@color/nosuch", kInvalidColor},     {L"#00ff00", RGBA(0, 255, 0, 255)},
        {L"nonsense", kInvalidColor},
    };
    for (const ColorCase& c : colors) EXPECT_EQ(ResolveColor(c.text), c.color) << c.text;
}

TEST(NamedTables, LongKeysNeverMatchATruncatedNeighbour) {
    const std::string prefix(49, 'k');
    pugi::xml_document doc;
    const std::string xml =
        "<string><" + prefix + "A value=\"long\"/><" + prefix + " value=\"exact\"/></string>";
    ASSERT_TRUE(ParseXml(doc, xml.data(), xml.size()));
    SNamedString table;
    EXPECT_EQ(table.Init(doc.first_child()), 1u);
    const std::wstring key(prefix.begin(), prefix.end());
    EXPECT_EQ(table.Get(key), L"exact");
    EXPECT_EQ(table.Get(key + L"A"), L"");
    EXPECT_EQ(table.Get(key + L"B"), L"");
}

TEST(NamedTables, NameIdTableIsSearchedEvenWhenMislabelledSorted) {
    const SNamedIdEntry table[] = {{L"_name_start", 65535}, {L"win_b", 65537}, {L"btn_a", 65536}};
    SNamedID ids;
    ids.Init(table, 3, true);
    EXPECT_EQ(ids.Get(L"btn_a"), 65536);
    EXPECT_EQ(ids.Get(L"win_b"), 65537);
    EXPECT_EQ(ids.Get(L"_name_start"), 65535);
    EXPECT_EQ(ids.Get(L"BTN_A"), 0);  // case-sensitive
    EXPECT_EQ(ids.Get(L"nothing"), 0);
}

TEST(FontDescription, ItemsApplyLastToFirst) {
    const DWORD base = FontStyle::Make(15, 1, false, false, false, false);
    struct Case {
        const wchar_t* description;
        int scale;
        int size;
        const wchar_t* face;
        DWORD flags;
    } cases[] = {
        {L"adding:0", 100, 15, L"微软雅黑", 0},
        {L"face:Arial,size:16", 100, 16, L"arial", 0},
        {L"size:18,size:30", 100, 18, L"微软雅黑", 0},  // the first "size" wins
        {L"face:微软雅黑,bold:1,size:17", 100, 17, L"微软雅黑", FontStyle::kBold},
        {L"underline:1", 100, 15, L"微软雅黑", FontStyle::kUnderline},
        {L"adding:2", 200, 32, L"微软雅黑", 0},  // default scaled, then the addition
        {L"size:10dp", 150, 15, L"微软雅黑", 0},
        {L"italic:1,strike:1,nocolon", 100, 15, L"微软雅黑", FontStyle::kItalic | FontStyle::kStrike},
    };
    for (const Case& c : cases) {
        const SFontKey key = SFontPool::ParseDescription(c.description, c.scale, base, L"微软雅黑");
        EXPECT_EQ(FontStyle::Size(key.style), c.size) << c.description;
        EXPECT_EQ(key.face, c.face) << c.description;
        EXPECT_EQ(key.style & ~FontStyle::kSizeMask & ~(0xFFu << FontStyle::kCharsetShift), c.flags)
            << c.description;
    }
    const DWORD bold = FontStyle::Make(15, 1, false, false, true, false);
    EXPECT_EQ(SFontPool::ParseDescription(L"bold:0", 100, bold, L"f").style & FontStyle::kBold, 0u);
    EXPECT_EQ(FontStyle::Charset(SFontPool::ParseDescription(L"charset:134", 100, base, L"f").style), 134);
}

TEST(FontDescription, ExtraPropertiesArePartOfTheCacheKey) {
    CoreTestEnv env;
    SFontPool& fonts = env.Context().GetFontPool();
    const SFontKey plain = SFontPool::ParseDescription(L"size:14", 100, 0, L"f");
    const SFontKey extra = SFontPool::ParseDescription(L"size:14,weight:700", 100, 0, L"f");
    EXPECT_FALSE(plain == extra);
    EXPECT_EQ(extra.extras.at(L"weight"), L"700");
    EXPECT_EQ(fonts.FontFromDescription(L"face:x,size:14"), fonts.FontFromDescription(L"size:14,face:x"));
    ASSERT_NE(fonts.FontFromDescription(L"size:20"), nullptr);
    EXPECT_EQ(fonts.FontFromDescription(L"size:20")->Desc().size, 20);
}

}  // namespace
