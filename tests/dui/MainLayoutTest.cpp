// The wizard's whole main layout, built and laid out without a display from the wizard's resource
// folder (read through the folder provider, which takes the same index as the packer). The build
// copies the folder beside the test executable as app-res.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "dui/src/control/SGifPlayer.h"
#include "support/TextConvert.h"
#include "support/platform/Module.h"
#include "tests/dui/support/CoreTestEnv.h"

namespace {

std::wstring AppResources() {
    std::wstring folder;
    EXPECT_EQ(ModuleDirectory(folder), 0u);
    return (std::filesystem::path(folder) / "app-res").wstring();
}

// The wizard's resources registered on a fresh context, and its layout document.
class WizardLayout {
public:
    WizardLayout() {
        SAppContext& context = env.Context();
        RegisterControlClasses(context.GetObjectFactory());
        context.GetObjectFactory().Register<SGifPlayer>();
        SAutoRefPtr<IResProvider> folder = CreateResProvider(kResProviderFiles);
        EXPECT_EQ(folder->Init(AppResources()), 1);
        context.GetResProviderMgr().RegisterProvider(folder.get(), L"uidef:xml_init");
        EXPECT_TRUE(context.LoadXmlById(doc, L"LAYOUT:XML_MAINWND"));
    }
    pugi::xml_node Dui() const { return XmlChild(doc, "dui"); }
    // The tree built at `scale` percent and laid out in the window's size at that scale.
    void Build(TestTreeHost& host, int scale) const {
        host.SetScale(scale);
        ASSERT_TRUE(host.LoadFromXml(XmlChild(Dui(), "root")));
        host.Move(RECT{0, 0, 666 * scale / 100, 474 * scale / 100});
    }

    CoreTestEnv env;
    pugi::xml_document doc;
};

TEST(MainLayout, BuildsAndPlacesTheWizardWindow) {
    WizardLayout layout;
    EXPECT_EQ(XmlAttrText(layout.Dui(), "width"), L"666dp");
    TestTreeHost host(layout.env.Factory());
    layout.Build(host, 100);

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

// Every page at 150 % and 200 %: each named window where the 100 % layout has it, times the scale,
// within a pixel. The table pins windows of each page at 100 %; every named window whose size is
// not its text's is then held to its own 100 % place times the scale.
TEST(MainLayout, EveryPageScalesWithTheDisplay) {
    const struct {
        const wchar_t* name;
        const char* at100;
    } table[] = {
        {L"btn_close", "628,12,654,38"},
        {L"btn_min", "590,12,616,38"},
        {L"win_check_componet", "0,60,666,474"},
        {L"chk_wic_componet", "133,234,433,274"},
        {L"win_check_componet_error", "0,60,666,474"},
        {L"win_install_allnew", "0,60,666,474"},
        {L"edit_install_path_allnew", "216,170,516,200"},
        {L"btn_select_path_allnew", "526,170,596,200"},
        {L"edit_net_bar_id_allnew", "216,212,476,242"},
        {L"edit_net_bar_pwd_allnew", "216,255,476,285"},
        {L"btn_start_install_allnew", "216,341,476,373"},
        {L"win_install_progress", "0,60,666,474"},
        {L"win_icon_function1", "113,223,193,303"},
        {L"win_icon_function4", "473,223,553,303"},
        {L"progress_installing", "0,414,666,422"},
        {L"win_install_finish", "0,60,666,474"},
        {L"btn_setup_finish", "233,263,433,307"},
        {L"panel_msg", "129,121,538,353"},
        {L"btn_msgdlg_yes", "418,301,492,333"},
        {L"btn_msgdlg_sysclose", "506,137,522,153"},
        {L"panel_quit_msg", "129,121,538,353"},
        {L"quitdlg_btn_yes", "358,301,432,333"},
        {L"quitdlg_btn_no", "438,301,512,333"},
    };
    WizardLayout layout;
    TestTreeHost base(layout.env.Factory());
    layout.Build(base, 100);
    for (const auto& row : table) {
        SWindow* wnd = base.FindChildByName(row.name);
        ASSERT_NE(wnd, nullptr) << row.name;
        EXPECT_EQ(RectText(wnd->GetWindowRect()), row.at100) << row.name;
    }
    std::vector<SWindow*> named;
    auto collect = [&](SWindow& parent, auto&& self) -> void {
        for (SWindow* w = parent.GetFirstChild(); w; w = w->GetNextSibling()) {
            // A text's size is its font's, in whole pixels, which need not grow exactly with the scale.
            if (!w->GetName().empty() && !w->IsContentSized()) named.push_back(w);
            self(*w, self);
        }
    };
    collect(base, collect);
    ASSERT_GT(named.size(), 20u);

    for (int scale : {150, 200}) {
        TestTreeHost host(layout.env.Factory());
        layout.Build(host, scale);
        for (SWindow* at100 : named) {
            SWindow* wnd = host.FindChildByName(at100->GetName());
            ASSERT_NE(wnd, nullptr);
            const RECT& a = at100->GetWindowRect();
            const RECT& b = wnd->GetWindowRect();
            const auto scaledAlike = [&](LONG v100, LONG v) {
                return std::abs(v100 * scale / 100.0 - v) <= 1.0;
            };
            EXPECT_TRUE(scaledAlike(a.left, b.left) && scaledAlike(a.top, b.top) &&
                        scaledAlike(a.right, b.right) && scaledAlike(a.bottom, b.bottom))
                << WideToUtf8(at100->GetName()) << " at " << scale << " %: " << RectText(b)
                << ", at 100 %: " << RectText(a);
        }
    }
}
