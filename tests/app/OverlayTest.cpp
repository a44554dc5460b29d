// The quit question, the close rule and the caption buttons.
#include <gtest/gtest.h>

#include "tests/app/WizardHarness.h"

namespace {

using larkholm::testing::Fault;

TEST(Overlays, CloseAsksAndNoStaysYesQuitsWithCodeZero) {
    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));

    ASSERT_TRUE(wizard.ui().Click(L"btn_close"));
    ASSERT_TRUE(wizard.Shown(L"win_install_quit"));
    EXPECT_EQ(wizard.Text(L"lb_want_quit"), L"您确定要退出Larkholm安装程序吗？");
    EXPECT_TRUE(wizard.Find(L"quitdlg_btn_no")->IsFocused());
    wizard.Screenshot("quit");

    ASSERT_TRUE(wizard.ui().Click(L"quitdlg_btn_no"));
    EXPECT_FALSE(wizard.Shown(L"win_install_quit"));
    EXPECT_TRUE(wizard.Shown(L"win_install_allnew"));

    // The window manager's close (Alt+F4, the taskbar) follows the same rule.
    wizard.window().SendMessage(WM_CLOSE);
    ASSERT_TRUE(wizard.Shown(L"win_install_quit"));
    ASSERT_TRUE(wizard.ui().Click(L"btn_quit_dlg_sysclose"));
    EXPECT_FALSE(wizard.Shown(L"win_install_quit"));

    // A pending message gives way to the question.
    wizard.SetEdit(L"edit_net_bar_id_allnew", L"");
    ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
    ASSERT_TRUE(wizard.Shown(L"win_install_message"));
    wizard.window().SendMessage(WM_CLOSE);
    EXPECT_FALSE(wizard.Shown(L"win_install_message"));
    ASSERT_TRUE(wizard.Shown(L"win_install_quit"));

    ASSERT_TRUE(wizard.ui().Click(L"quitdlg_btn_yes"));
    EXPECT_EQ(wizard.WaitForQuit(), 0);
    EXPECT_FALSE(wizard.window().IsWindow());
}

TEST(Overlays, KeyboardSubmitsTheFormAndStaysInsideAnOverlay) {
    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));
    HeadlessDriver& ui = wizard.ui();
    const auto focusName = [&] {
        const SWindow* focus = wizard.window().GetSwndContainer().GetFocus();
        return focus != nullptr ? focus->GetName() : std::wstring();
    };

    // Shop code, Tab, (no password), Enter: the form is submitted and says what is missing.
    ASSERT_TRUE(ui.Type(L"edit_net_bar_id_allnew", L"8001"));
    ui.Press(VK_TAB);
    EXPECT_EQ(focusName(), L"edit_net_bar_pwd_allnew");
    ui.Press(VK_RETURN);
    ASSERT_TRUE(wizard.Shown(L"win_install_message"));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"请输入酒店密码");

    for (int i = 0; i < 3; ++i) {
        ui.Press(VK_TAB);
        EXPECT_TRUE(focusName() == L"btn_msgdlg_yes" || focusName() == L"btn_msgdlg_sysclose") << i;
    }
    ui.Press(VK_ESCAPE);  // the overlay's close button
    EXPECT_FALSE(wizard.Shown(L"win_install_message"));

    // Behind the quit question Enter never reaches the start button: it answers "no".
    ASSERT_TRUE(ui.Type(L"edit_net_bar_pwd_allnew", L"demo123"));
    wizard.window().SendMessage(WM_CLOSE);
    ASSERT_TRUE(wizard.Shown(L"win_install_quit"));
    for (const wchar_t* next : {L"btn_quit_dlg_sysclose", L"quitdlg_btn_yes", L"quitdlg_btn_no"}) {
        ui.Press(VK_TAB);
        EXPECT_EQ(focusName(), next);
    }
    ui.Press(VK_RETURN);
    EXPECT_FALSE(wizard.Shown(L"win_install_quit"));
    EXPECT_TRUE(wizard.Shown(L"win_install_allnew"));
    EXPECT_TRUE(wizard.server().Requests().empty());
    wizard.window().SendMessage(WM_CLOSE);
    ASSERT_TRUE(wizard.Shown(L"win_install_quit"));
    ui.Press(VK_ESCAPE);
    EXPECT_FALSE(wizard.Shown(L"win_install_quit"));
    EXPECT_TRUE(wizard.window().IsWindow());
}

TEST(Overlays, CloseWhileComponentInstallersDownloadIsRefused) {
    WizardHarness wizard(WizardHarness::Components::kDotNetMissing);
    wizard.server().ServeBytes(WizardHarness::kDotNetPath, "MZ an installer that never arrives", Fault::Stall);
    wizard.Start();
    ASSERT_TRUE(
        wizard.RunUntil([&] { return wizard.Text(L"lb_check_componet_status") == L"正在下载必要组件"; }));

    wizard.window().SendMessage(WM_CLOSE);
    ASSERT_TRUE(wizard.Shown(L"win_install_message"));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"安装过程中请勿退出安装程序");
    EXPECT_FALSE(wizard.Shown(L"win_install_quit"));
    EXPECT_TRUE(wizard.Shown(L"win_check_componet"));
}

TEST(Overlays, MinimiseButtonAndDoubleClick) {
    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));

    // The second press of a double click never reaches the controls: the check box takes the
    // first click only, instead of toggling back.
    const POINT agreement = wizard.ui().CentreOf(*wizard.Find(L"chk_accept_agreement_allnew"));
    wizard.ui().DoubleClickAt(agreement);
    wizard.ui().Pump();
    EXPECT_FALSE(wizard.Checked(L"chk_accept_agreement_allnew"));

    ASSERT_TRUE(wizard.ui().Click(L"btn_min"));
    EXPECT_TRUE(wizard.host().Window(wizard.window().GetHwnd())->IsMinimized());
}

}  // namespace
