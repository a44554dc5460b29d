// Resource ids, the executable-module and folder providers, the manager's override order, XML
// loading and the system package.
#include <gtest/gtest.h>

#include "support/TextConvert.h"
#include "tests/dui/support/CoreTestEnv.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::TempDir;

TEST(ResourceId, SplitsAtTheFirstColon) {
    struct Case {
        const wchar_t* id;
        int parts;
        const wchar_t* type;
        const wchar_t* name;
    } cases[] = {
        {L"LAYOUT:XML_MAINWND", 2, L"LAYOUT", L"XML_MAINWND"},
        {L"a:b:c", 2, L"a", L"b:c"},
        {L"ICON_LOGO", 1, L"ICON_LOGO", L""},
        {L":name", 2, L"", L"name"},
        {L"", 1, L"", L""},
    };
    for (const Case& c : cases) {
        std::wstring type = L"x", name = L"y";
        EXPECT_EQ(SplitResId(c.id, type, name), c.parts) << c.id;
        EXPECT_EQ(type, c.type) << c.id;
        EXPECT_EQ(name, c.name) << c.id;
    }
}

TEST(ResProviderPE, FindsLinkedPackagesIgnoringCase) {
    CoreTestEnv env;
    IResProvider& pe = env.Provider();
    // The test package and the framework's own package are both linked into this program.
    for (const wchar_t* id : {L"IMG:image_bk_png", L"img:IMAGE_BK_PNG", L"Img:Image_Bk_Png",
                              L"xml:sys_xml_skin", L"UIDEF:xml_init"}) {
        std::wstring type, name;
        SplitResId(id, type, name);
        EXPECT_TRUE(pe.ContainsResource(type, name)) << id;
        EXPECT_GT(pe.ResourceSize(type, name), 0u) << id;
    }
    EXPECT_FALSE(pe.ContainsResource(L"IMG", L"image_bk"));
    EXPECT_EQ(pe.ResourceSize(L"PNG", L"IMAGE_BK_PNG"), 0u);
}

TEST(ResProviderPE, ReadRefusesASmallBuffer) {
    CoreTestEnv env;
    IResProvider& pe = env.Provider();
    const size_t size = pe.ResourceSize(L"IMG", L"IMAGE_BK_PNG");
    std::string bytes(size, '\0');
    SetResLastError(0);
    EXPECT_FALSE(pe.ReadResource(L"IMG", L"IMAGE_BK_PNG", bytes.data(), size - 1));
    EXPECT_EQ(SResLastError(), kErrorInsufficientBuffer);
    ASSERT_TRUE(pe.ReadResource(L"IMG", L"IMAGE_BK_PNG", bytes.data(), size));
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_FALSE(pe.ReadResource(L"IMG", L"missing", bytes.data(), size));
}

class FolderPackage {
public:
    // `files` are (TYPE, NAME, content) rows written into a folder with its index.
    explicit FolderPackage(std::initializer_list<std::tuple<const char*, const char*, std::string>> files) {
        std::string index;
        int n = 0;
        for (const auto& [type, name, content] : files) {
            const std::string file = "f" + std::to_string(n++);
            dir.WriteFile(file, content);
            index += std::string(type) + ' ' + name + ' ' + file + '\n';
        }
        dir.WriteFile("index", index);
    }
    SAutoRefPtr<IResProvider> Provider() const {
        SAutoRefPtr<IResProvider> provider = CreateResProvider(kResProviderFiles);
        EXPECT_EQ(provider->Init(AnsiToWide(dir.Path().string())), 1);
        return provider;
    }

private:
    TempDir dir;
};

TEST(ResProviderMgr, LaterProviderWinsUntilUnregistered) {
    CoreTestEnv env;
    SResProviderMgr& mgr = env.Context().GetResProviderMgr();
    const FolderPackage first({{"XML", "SHARED", "<a/>"}, {"XML", "ONLY_FIRST", "<first/>"}});
    const FolderPackage second({{"xml", "shared", "<b/>"}});
    SAutoRefPtr<IResProvider> p1 = first.Provider(), p2 = second.Provider();
    mgr.RegisterProvider(p1.get());
    mgr.RegisterProvider(p2.get());

    std::string bytes;
    ASSERT_TRUE(mgr.ReadResource(L"XML", L"Shared", bytes));
    EXPECT_EQ(bytes, "<b/>");
    EXPECT_EQ(mgr.FindProvider(L"XML", L"ONLY_FIRST").get(), p1.get());
    ASSERT_TRUE(mgr.UnregisterProvider(p2.get()));
    ASSERT_TRUE(mgr.ReadResource(L"XML", L"SHARED", bytes));
    EXPECT_EQ(bytes, "<a/>");
    EXPECT_FALSE(mgr.UnregisterProvider(p2.get()));
    EXPECT_FALSE(mgr.ReadResource(L"XML", L"NOWHERE", bytes));
}

TEST(ResProviderMgr, FileTypeReadsThePathDirectly) {
    CoreTestEnv env;
    TempDir dir;
    const std::string path = dir.WriteFile("page.xml", "<DUI><Root/></DUI>");
    pugi::xml_document doc;
    ASSERT_TRUE(env.Context().LoadXml(doc, AnsiToWide(path), L"FILE"));
    EXPECT_TRUE(XmlChild(XmlChild(doc, "dui"), "root"));
    EXPECT_FALSE(env.Context().LoadXml(doc, AnsiToWide(path + ".missing"), L"file"));
    EXPECT_FALSE(env.Context().LoadXmlById(doc, L"no-colon"));
}

TEST(SAppContext, OnePartIdsNameLayouts) {
    CoreTestEnv env(L"uidef:xml_init");
    pugi::xml_document doc;
    for (const wchar_t* id : {L"xml_included", L"LAYOUT:XML_INCLUDED"}) {
        ASSERT_TRUE(env.Context().LoadXmlById(doc, id)) << id;
        EXPECT_TRUE(XmlChild(doc, "include")) << id;
    }
    EXPECT_FALSE(env.Context().LoadXmlById(doc, L"XML:xml_included"));
    EXPECT_FALSE(env.Context().LoadXmlById(doc, L""));
}

TEST(ResProviderMgr, CursorNamesMapToSystemCursors) {
    CoreTestEnv env;
    SResProviderMgr& mgr = env.Context().GetResProviderMgr();
    EXPECT_EQ(mgr.LoadCursor(L"HAND").systemId, 32649u);
    EXPECT_EQ(mgr.LoadCursor(L"arrow").systemId, 32512u);
    EXPECT_EQ(mgr.LoadCursor(L"32513").systemId, 32513u);
    const SCursor unknown = mgr.LoadCursor(L"no_such_cursor");
    EXPECT_EQ(unknown.systemId, 0u);
    EXPECT_EQ(unknown.picture, nullptr);
}

TEST(ResProviderMgr, IconsComeFromIconFilesOrPictures) {
    CoreTestEnv env;
    const size_t size = env.Provider().ResourceSize(L"IMG", L"IMAGE_BK_PNG");
    std::string png(size, '\0');
    ASSERT_TRUE(env.Provider().ReadResource(L"IMG", L"IMAGE_BK_PNG", png.data(), size));
    // An icon file with the 4 x 2 picture as its 16-pixel image and nothing usable beside it.
    std::string ico("\0\0\1\0\1\0", 6);
    const char entry[16] = {16, 16, 0, 0, 1, 0, 32, 0, char(size), char(size >> 8), 0, 0, 22, 0, 0, 0};
    ico.append(entry, 16).append(png);
    const FolderPackage folder(
        {{"ICON", "ICON_ICO", ico}, {"ICON", "ICON_PNG", png}, {"ICON", "ICON_BAD", "nope"}});
    SAutoRefPtr<IResProvider> provider = folder.Provider();
    SResProviderMgr& mgr = env.Context().GetResProviderMgr();
    mgr.RegisterProvider(provider.get());
    for (const wchar_t* id : {L"ICON_ICO:16", L"icon_ico:32", L"ICON_ICO", L"ICON_PNG:16"}) {
        const std::shared_ptr<IBitmap> icon = mgr.LoadIcon(id);
        ASSERT_NE(icon, nullptr) << id;
        EXPECT_EQ(icon->Width(), 4) << id;
    }
    EXPECT_EQ(mgr.LoadIcon(L"ICON_BAD:16"), nullptr);
    EXPECT_EQ(mgr.LoadIcon(L"ICON_NONE:16"), nullptr);
}

TEST(SystemResources, LoadsThePackageAndReportsWhatIsMissing) {
    CoreTestEnv env;
    SAppContext& context = env.Context();
    EXPECT_EQ(context.LoadSystemResources(&env.Provider()), 0);
    struct SystemSkin {
        const wchar_t* name;
        int states, width, height;
    } skins[] = {{L"_skin.sys.checkbox", 8, 16, 16},   {L"_skin.sys.radio", 8, 16, 16},
                 {L"_skin.sys.btn.normal", 4, 60, 26}, {L"_skin.sys.btn.close", 4, 16, 16},
                 {L"_skin.sys.icons", 5, 16, 16},      {L"_skin.sys.wnd.bkgnd", 1, 64, 64}};
    for (const SystemSkin& expected : skins) {
        ISkinObj* skin = context.GetSkinPoolMgr().FindSkin(expected.name);
        ASSERT_NE(skin, nullptr) << expected.name;
        EXPECT_EQ(skin->GetStates(), expected.states) << expected.name;
        EXPECT_EQ(skin->GetSkinSize().cx, expected.width) << expected.name;
        EXPECT_EQ(skin->GetSkinSize().cy, expected.height) << expected.name;
    }
    EXPECT_EQ(context.GetEditMenuTemplate().attribute("itemHeight").as_int(), 26);
    EXPECT_TRUE(context.GetMessageBoxTemplate());
    // The provider was only borrowed.
    EXPECT_FALSE(context.GetResProviderMgr().FindProvider(L"XML", L"SYS_XML_SKIN"));

    const FolderPackage partial(
        {{"XML", "SYS_XML_EDITMENU", "<editmenu/>"}, {"XML", "SYS_XML_MSGBOX", "<notdui/>"}});
    SAutoRefPtr<IResProvider> folder = partial.Provider();
    EXPECT_EQ(context.LoadSystemResources(folder.get()), kSysResSkinMissing | kSysResMsgBoxMissing);
}

}  // namespace
