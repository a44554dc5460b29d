// What a plain window draws: its background, the non-client band, and nothing when hidden; and
// the text format its style gives.
#include <gtest/gtest.h>

#include "dui/include/core/IRenderTarget.h"
#include "tests/dui/support/CoreTestEnv.h"

namespace {

constexpr COLORREF kClear = RGBA(0, 0, 0, 0);
constexpr COLORREF kGreen = RGBA(0, 255, 0, 255);
constexpr COLORREF kRed = RGBA(255, 0, 0, 255);

class WindowDraw : public ::testing::Test {
protected:
    WindowDraw() : host(env.Factory()), target(env.Factory().CreateRenderTarget(SIZE{40, 20})) {}

    void Draw(const std::string& children) {
        ASSERT_TRUE(host.Load("<root>" + children + "</root>", 40, 20));
        target->Clear(RECT{0, 0, 40, 20}, kClear);
        host.Draw(*target, RECT{0, 0, 40, 20});
    }

    CoreTestEnv env;
    TestTreeHost host;
    std::unique_ptr<IRenderTarget> target;
};

TEST_F(WindowDraw, BorderColourAloneDrawsNothing) {
    Draw(
        R"(<window pos="0,0,@20,@20" colorBorder="#ff0000"/><window pos="20,0,@20,@20" colorBkgnd="#00ff00" colorBorder="#ff0000" margin="2"/>)");
    EXPECT_EQ(target->GetPixel(0, 0), kClear);
    EXPECT_EQ(target->GetPixel(10, 10), kClear);
    EXPECT_EQ(target->GetPixel(20, 0), kRed);  // the band of the margins
    EXPECT_EQ(target->GetPixel(39, 19), kRed);
    EXPECT_EQ(target->GetPixel(30, 10), kGreen);  // the client area
}

TEST_F(WindowDraw, HiddenWindowsAndTheirChildrenDrawNothing) {
    Draw(R"(<window pos="0,0,-0,-0" visible="0"><window pos="0,0,-0,-0" colorBkgnd="#00ff00"/></window>)");
    EXPECT_EQ(target->GetPixel(5, 5), kClear);
}

TEST_F(WindowDraw, LaterSiblingsDrawOnTop) {
    Draw(
        R"(<window pos="0,0,@30,@20" colorBkgnd="#ff0000"/><window pos="10,0,@30,@20" colorBkgnd="#00ff00"/>)");
    EXPECT_EQ(target->GetPixel(5, 5), kRed);
    EXPECT_EQ(target->GetPixel(15, 5), kGreen);
    EXPECT_EQ(host.SwndFromPoint(POINT{15, 5}), host.GetLastChild());
}

TEST(TextFormat, ComesFromAlignmentsUnlessTextModeIsSet) {
    CoreTestEnv env;
    struct Case {
        std::vector<std::pair<const wchar_t*, const wchar_t*>> attributes;
        UINT format;
    } cases[] = {
        {{}, 0x25},
        {{{L"align", L"left"}}, 0x24},
        {{{L"align", L"right"}, {L"valign", L"top"}}, DT_RIGHT},
        {{{L"valign", L"bottom"}}, DT_CENTER | DT_BOTTOM | DT_SINGLELINE},
        {{{L"dotted", L"1"}}, 0x25 | DT_END_ELLIPSIS},
        {{{L"textMode", L"0x22"}, {L"align", L"left"}}, 0x22},
        {{{L"TEXTMODE", L"33"}}, 0x21},
    };
    for (const Case& c : cases) {
        SwndStyle style;
        for (const auto& [name, value] : c.attributes)
            EXPECT_EQ(style.ApplyAttribute(name, value, true), AttrResult::kOk);
        EXPECT_EQ(style.GetTextFormat(), c.format);
    }
    SwndStyle style;
    EXPECT_EQ(style.ApplyAttribute(L"align", L"middle", true), AttrResult::kFailed);
    EXPECT_EQ(style.ApplyAttribute(L"colorText", L"", true), AttrResult::kFailed);
    EXPECT_EQ(style.ApplyAttribute(L"alpha", L"300", true), AttrResult::kFailed);
    EXPECT_EQ(style.ApplyAttribute(L"nosuch", L"1", true), AttrResult::kDeclined);
    EXPECT_EQ(style.ApplyAttribute(L"margin", L"1,2", true), AttrResult::kFailed);
    EXPECT_EQ(style.ApplyAttribute(L"padding", L"1,2,3,4", true), AttrResult::kOk);
    EXPECT_EQ(style.padding.bottom, 4);
    EXPECT_EQ(style.GetTextColor(SwndStyle::kTextHover), kInvalidColor);
    style.ApplyAttribute(L"colorText", L"#00ff00", true);
    EXPECT_EQ(style.GetTextColor(SwndStyle::kTextHover), kGreen);  // falls back to the normal colour
}

}  // namespace
