// Loading UI definitions: inline and "src" sections, the default font, pools, and the log line
// of each failure.
#include <gtest/gtest.h>

#include "support/TextConvert.h"
#include "tests/dui/support/CoreTestEnv.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::TempDir;

// A folder provider holding one UIDEF resource X with `xml`, plus VALUES rows.
class UiDefFolder {
public:
    explicit UiDefFolder(const std::string& xml, const std::string& valuesColor = "<color/>") {
        dir.WriteFile("uidef.xml", xml);
        dir.WriteFile("color.xml", valuesColor);
        dir.WriteFile("index", "UIDEF X uidef.xml\nVALUES COLOR color.xml\n");
        provider = CreateResProvider(kResProviderFiles);
        provider->Init(AnsiToWide(dir.Path().string()));
    }
    TempDir dir;
    SAutoRefPtr<IResProvider> provider;
};

TEST(UiDef, InlineSectionsFillEveryTable) {
    CoreTestEnv env;
    UiDefFolder folder(R"(<uidef>
        <font face="" size="20" bold="1"/>
        <string><hello value="你好"/></string>
        <color src="values:color"><inline value="#010203"/></color>
        <skin><imgframe name="frame" states="3" margin="4"/></skin>
        <style><class name="warn" colorText="#ff0000" textMode="0x22"/></style>
        <objattr><window colorBkgnd="#00ff00"/></objattr>
      </uidef>)",
                       R"x(<color><fromsrc value="rgb(9,8,7)"/></color>)x");
    SAppContext& context = env.Context();
    context.GetResProviderMgr().RegisterProvider(folder.provider.get(), L"UIDEF:X");

    SUiDefInfo& uidef = context.GetUiDef();
    EXPECT_EQ(FontStyle::Size(uidef.GetDefFontStyle()), 20);
    EXPECT_NE(uidef.GetDefFontStyle() & FontStyle::kBold, 0u);
    EXPECT_EQ(uidef.GetDefFontFace(), L"宋体");
    EXPECT_EQ(ResolveString(L"@string/hello"), L"你好");
    // "src" replaces the inline element.
    EXPECT_EQ(ResolveColor(L"@color/fromsrc"), RGBA(9, 8, 7, 255));
    EXPECT_EQ(ResolveColor(L"@color/inline"), kInvalidColor);
    ISkinObj* frame = context.GetSkinPoolMgr().FindSkin(L"frame");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetStates(), 3);
    const pugi::xml_node warn = context.GetStylePoolMgr().FindStyle(L"warn");
    EXPECT_STREQ(warn.attribute("textMode").value(), "0x22");
    EXPECT_FALSE(warn.attribute("name"));

    // The per-class defaults apply when the factory makes a window.
    SAutoRefPtr<SWindow> made = context.GetObjectFactory().Create<SWindow>(L"WINDOW");
    ASSERT_TRUE(made);
    EXPECT_EQ(made->GetStyle().colorBkgnd, RGBA(0, 255, 0, 255));
}

TEST(UiDef, SrcSectionsOfTheWizardShapedDefinition) {
    CoreTestEnv env(L"uidef:xml_init");  // root element spelled UIDEF, tables from values:*
    EXPECT_EQ(FontStyle::Size(env.Context().GetUiDef().GetDefFontStyle()), 15);
    EXPECT_EQ(ResolveString(L"@string/title"), L"Larkholm");
    EXPECT_EQ(ResolveColor(L"@color/red"), RGBA(255, 0, 0, 255));
    EXPECT_TRUE(env.Context().GetStylePoolMgr().FindStyle(L"righttext"));
    EXPECT_FALSE(env.Logged("warning!!!"));
}

TEST(UiDef, EachFailureLogsItsLine) {
    struct Case {
        const char* xml;
        const wchar_t* id;
        std::vector<std::string> lines;
    } cases[] = {
        {"<uidef/>",
         L"UIDEF",
         {"warning!!!! Add ResProvider Error.",
          "warning!!!! uidef was not found in the specified resprovider"}},
        {"<uidef/>", L"UIDEF:NOPE", {"warning!!!! uidef was not found in the specified resprovider"}},
        {"<uidef><unclosed></uidef>", L"UIDEF:X", {"warning!!! load uidef as xml document failed"}},
        {"<layout/>", L"UIDEF:X", {"warning!!! \"uidef\" element is not the root element of uidef xml"}},
    };
    for (const Case& c : cases) {
        CoreTestEnv env;
        UiDefFolder folder(c.xml);
        env.ClearLog();
        env.Context().GetResProviderMgr().RegisterProvider(folder.provider.get(), c.id);
        for (const std::string& line : c.lines) EXPECT_TRUE(env.Logged(line)) << c.xml << " " << line;
        EXPECT_EQ(env.Log().size(), c.lines.size()) << c.xml;
        // The definition that replaced the old one holds only the default font.
        EXPECT_EQ(FontStyle::Size(env.Context().GetUiDef().GetDefFontStyle()), 12);
    }
}

TEST(UiDef, ReplacingTheDefinitionWithdrawsItsPools) {
    CoreTestEnv env(L"uidef:xml_init");
    ASSERT_TRUE(env.Context().GetStylePoolMgr().FindStyle(L"righttext"));
    UiDefFolder folder("<uidef><style><class name=\"other\"/></style></uidef>");
    env.Context().GetResProviderMgr().RegisterProvider(folder.provider.get(), L"UIDEF:X");
    EXPECT_FALSE(env.Context().GetStylePoolMgr().FindStyle(L"righttext"));
    EXPECT_TRUE(env.Context().GetStylePoolMgr().FindStyle(L"other"));
}

}  // namespace
