// The all-new form: its rules run in order, only the first failing message is shown, and what
// earlier rules stored stays stored. None of these cases reaches the install service.
#include <gtest/gtest.h>

#include "support/PathText.h"
#include "support/TextConvert.h"
#include "tests/app/WizardHarness.h"

namespace {

struct FormCase {
    const char* what;
    std::wstring path;
    std::wstring shopId;
    std::wstring password;
    bool agreed;
    std::wstring message;  // the overlay's text
    // What is stored afterwards; the cases run in order on one form, so a value stored by an
    // earlier case stays until a later case stores a new one.
    std::wstring installPath;
    std::string shopCode;
};

const std::wstring kRootPath = L"安装路径不能选择磁盘根目录";
const std::wstring kNoShopId = L"酒店编号不存在";
const std::wstring kNoPassword = L"请输入酒店密码";
const std::wstring kNotAgreed = L"未同意《Larkholm用户使用协议》不能安装！";

TEST(FormValidation, RulesRunInOrderAndShowOnlyTheFirstFailure) {
    const std::wstring apps = JoinPath(std::wstring(L"D:\\Apps"), L"Ostrelle");
    const FormCase cases[] = {
        {"drive root", L"D:\\", L"1001", L"pw", true, kRootPath, L"", ""},
        {"spaces only", L"   ", L"1001", L"pw", true, kRootPath, L"", ""},
        {"empty folder", L"", L"1001", L"pw", true, kRootPath, L"", ""},
        {"unix root", L"/", L"1001", L"pw", true, kRootPath, L"", ""},
        {"share root", L"\\\\server\\share", L"1001", L"pw", true, kRootPath, L"", ""},
        {"trimmed, one separator removed", L"  D:\\Apps\\  ", L"", L"pw", true, kNoShopId, apps, ""},
        {"only one of two separators removed", L"D:\\Apps\\\\", L"", L"pw", true, kNoShopId,
         JoinPath(std::wstring(L"D:\\Apps\\"), L"Ostrelle"), ""},
        {"shop id before agreement", L"D:\\Apps", L"", L"pw", false, kNoShopId, apps, ""},
        {"tab is not trimmed", L"\tD:\\Apps", L"", L"", true, kNoShopId,
         JoinPath(std::wstring(L"\tD:\\Apps"), L"Ostrelle"), ""},
        {"password", L"D:\\Apps", L"1001", L"", true, kNoPassword, apps, "1001"},
        {"agreement", L"D:\\Apps", L"1001", L"secret", false, kNotAgreed, apps, "1001"},
    };

    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.what);
        wizard.SetEdit(L"edit_install_path_allnew", c.path);
        wizard.SetEdit(L"edit_net_bar_id_allnew", c.shopId);
        wizard.SetEdit(L"edit_net_bar_pwd_allnew", c.password);
        wizard.Find(L"chk_accept_agreement_allnew")->SetCheck(c.agreed);

        EXPECT_EQ(wizard.Submit(L"btn_start_install_allnew"), c.message);
        EXPECT_TRUE(wizard.Find(L"btn_msgdlg_yes")->IsFocused());
        EXPECT_EQ(wizard.window().InstallPath(), c.installPath);
        EXPECT_EQ(wizard.window().Downloader().shopCode, c.shopCode);
        // A failed check leaves the form as it was, start button included.
        EXPECT_FALSE(wizard.Find(L"btn_start_install_allnew")->IsDisabled());

        wizard.CloseMessage();
        EXPECT_TRUE(wizard.Shown(L"win_install_allnew"));
    }
    EXPECT_TRUE(wizard.server().Requests().empty());
}

TEST(FormValidation, MessageOverlayScreenshot) {
    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));
    wizard.Find(L"chk_accept_agreement_allnew")->SetCheck(false);
    wizard.SetEdit(L"edit_net_bar_id_allnew", L"1001");
    wizard.SetEdit(L"edit_net_bar_pwd_allnew", L"secret");
    ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
    ASSERT_TRUE(wizard.Shown(L"win_install_message"));
    wizard.Screenshot("message");
    // The small close button hides the overlay as well.
    ASSERT_TRUE(wizard.ui().Click(L"btn_msgdlg_sysclose"));
    EXPECT_FALSE(wizard.Shown(L"win_install_message"));
}

TEST(FormValidation, FolderPickerFillsThePathUnlessCancelled) {
    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));

    wizard.AnswerFolderPicker(L"/srv/larkholm");
    ASSERT_TRUE(wizard.ui().Click(L"btn_select_path_allnew"));
    EXPECT_EQ(wizard.Text(L"edit_install_path_allnew"), L"/srv/larkholm");

    wizard.AnswerFolderPicker(L"");
    ASSERT_TRUE(wizard.ui().Click(L"btn_select_path_allnew"));
    EXPECT_EQ(wizard.Text(L"edit_install_path_allnew"), L"/srv/larkholm");
}

TEST(FormValidation, AgreementLinkOpensTheConfiguredPage) {
    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));
    ASSERT_TRUE(wizard.ui().Click(L"link_agreement_allnew"));
    EXPECT_EQ(wizard.OpenedTargets(),
              std::vector<std::wstring>{Utf8ToWide(wizard.server().Url("/shop/resources/html/procotal.html"))});
}

}  // namespace
