// The wizard's whole main layout, built and laid out without a display from the wizard's resource
// folder (read through the folder provider, which takes the same index as the packer). The build
// copies the folder beside the test executable as app-res.
#include <gtest/gtest.h>

#include <filesystem>

#include "dui/src/control/SGifPlayer.h"
#include "support/platform/Module.h"
#include "tests/dui/support/CoreTestEnv.h"

namespace {

std::wstring AppResources() {
    std::wstring folder;
    EXPECT_EQ(ModuleDirectory(folder), 0u);
    return (std::filesystem::path(folder) / "app-res").wstring();
}

TEST(MainLayout, BuildsAndPlacesTheWizardWindow) {
    CoreTestEnv env;
    SAppContext& context = env.Context();
    RegisterControlClasses(context.GetObjectFactory());
    context.GetObjectFactory().Register<SGifPlayer>();
    SAutoRefPtr<IResProvider> folder = CreateResProvider(kResProviderFiles);
    ASSERT_EQ(folder->Init(AppResources()), 1);
    context.GetResProviderMgr().RegisterProvider(folder.get(), L"uidef:xml_init");

    pugi::xml_document doc;
    ASSERT_TRUE(context.LoadXmlById(doc, L"LAYOUT:XML_MAINWND"));
    const pugi::xml_node dui = XmlChild(doc, "dui");
    EXPECT_EQ(XmlAttrText(dui, "width"), L"666");
    TestTreeHost host(env.Factory());
    ASSERT_TRUE(host.LoadFromXml(XmlChild(dui, "root")));
    host.Move(RECT{0, 0, 666, 474});

    std::vector<std::wstring> pages;
    for (SWindow* w = host.GetFirstChild(); w; w = w->GetNextSibling())
        if (!w->GetName().empty()) pages.push_back(w->GetName());
    EXPECT_EQ(pages, (std::vector<std::wstring>{L"win_check_componet", L"win_check_componet_error",
                                                L"win_install_allnew", L"win_install_progress",
                                                L"win_install_finish", L"win_install_message",
                                                L"win_install_quit"}));
    EXPECT_FALSE(host.FindChildByName(L"win_check_componet")->IsShown());
    EXPECT_EQ(host.FindChildByName(L"win_install_migration"), nullptr);
    EXPECT_EQ(host.FindChildByName(L"lb_windows_title")->GetText(), L"Larkholm");

    struct Place {
        const wchar_t* name;
        const char* rect;
    } places[] = {
        {L"win_check_componet", "0,60,666,474"}, {L"win_install_finish", "0,60,666,474"},
        {L"win_install_message", "0,0,666,474"}, {L"win_install_quit", "0,0,666,474"},
        {L"btn_close", "628,12,654,38"},         {L"panel_msg", "129,121,538,353"},
        {L"btn_msgdlg_yes", "418,301,492,333"},
    };
    for (const Place& p : places) {
        SWindow* wnd = host.FindChildByName(p.name);
        ASSERT_NE(wnd, nullptr) << p.name;
        EXPECT_EQ(RectText(wnd->GetWindowRect()), p.rect) << p.name;
    }
    // Every named window got a rectangle inside the window.
    for (SWindow* w = host.FindChildByName(L"win_install_allnew")->GetFirstChild(); w;
         w = w->GetNextSibling()) {
        const RECT& rc = w->GetWindowRect();
        EXPECT_TRUE(rc.left >= 0 && rc.top >= 60 && rc.right <= 666 && rc.bottom <= 474) << RectText(rc);
    }
}

}  // namespace
