// The parts of the window that the shipped layout leaves out — the install-type page, the
// migration form and the rotating feature icons — on a layout that has them all.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "dui/include/core/SApplication.h"
#include "dui/src/control/SProgress.h"
#include "service/Md5.h"
#include "support/PathText.h"
#include "support/platform/WindowsView.h"
#include "tests/app/WizardHarness.h"
#include "tests/testing/InstallReplies.h"

namespace {

using larkholm::testing::Fault;

const std::string kFullLayout = std::string(LARKHOLM_SOURCE_DIR) + "/tests/app/layouts/full";
constexpr char kMigrationPath[] = "/admin/do/install/migration";

class FullLayout : public ::testing::Test {
protected:
    FullLayout() {
        wizard.StartWithLayout(kFullLayout);
        EXPECT_TRUE(wizard.WaitShown(L"win_install_type"));
    }

    struct ManifestEntry {
        std::string name;
        std::string path;
        std::string hash;
    };

    // The setup reply points at a manifest of `entries`, each served (or not) by the test.
    void ServeManifest(const std::vector<ManifestEntry>& entries) {
        std::vector<larkholm::testing::ManifestEntry> served;
        for (const ManifestEntry& entry : entries)
            served.push_back({entry.name, wizard.server().Url(entry.path), entry.hash});
        wizard.server().ServeJson("/admin/do/install/setup",
                                  larkholm::testing::SetupReply(wizard.server().Url("/manifest"), 1));
        wizard.server().ServeJson("/manifest", larkholm::testing::ManifestReply(served));
    }

    // This layout's all-new form has no fields: every rule is skipped and the run starts at once.
    void StartAllNewRun() {
        wizard.Find(L"rbtn_install_all_new")->SetCheck(true);
        ASSERT_TRUE(wizard.ui().Click(L"btn_select_install_type"));
        ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
        ASSERT_TRUE(wizard.WaitShown(L"win_install_progress", 20000));
    }

    void OpenMigrationForm() {
        wizard.Find(L"rbtn_install_migrate")->SetCheck(true);
        ASSERT_TRUE(wizard.ui().Click(L"btn_select_install_type"));
        ASSERT_TRUE(wizard.Shown(L"win_install_migration"));
    }

    WizardHarness wizard;
};

TEST_F(FullLayout, TypePageLeadsToThePreparedMigrationForm) {
    EXPECT_EQ(wizard.Text(L"lb_windows_title"), L"Larkholm");
    EXPECT_FALSE(wizard.Shown(L"win_install_allnew"));
    OpenMigrationForm();
    EXPECT_FALSE(wizard.Shown(L"win_install_type"));
    EXPECT_FALSE(wizard.Shown(L"win_install_allnew"));
    EXPECT_EQ(wizard.Text(L"edit_intall_path_migrate"), ProgramFilesFolder());
    EXPECT_TRUE(wizard.Checked(L"chk_accept_agreement_migrate"));
}

struct MigrationCase {
    const char* what;
    std::wstring ip;
    std::wstring path;
    std::wstring code;
    bool agreed;
    std::wstring message;
};

TEST_F(FullLayout, MigrationRulesRunInOrder) {
    const std::wstring badIp = L"服务器内网IP地址格式不正确";
    const MigrationCase cases[] = {
        {"empty address", L"", L"D:\\Apps", L"123456", true, badIp},
        {"leading zero", L"192.168.01.1", L"D:\\Apps", L"123456", true, badIp},
        {"three parts", L"1.2.3", L"D:\\Apps", L"123456", true, badIp},
        {"five parts", L"1.2.3.4.5", L"D:\\Apps", L"123456", true, badIp},
        {"empty part", L"1..2.3", L"D:\\Apps", L"123456", true, badIp},
        {"above 255", L"256.1.1.1", L"D:\\Apps", L"123456", true, badIp},
        {"trailing letter", L"1.2.3.4a", L"D:\\Apps", L"123456", true, badIp},
        {"root folder", L"10.0.0.1", L"D:\\", L"123456", true, L"安装路径不能选择磁盘根目录"},
        {"no code", L"10.0.0.1", L"D:\\Apps", L"", true, L"短信验证码不正确"},
        {"no agreement", L"10.0.0.1", L"D:\\Apps", L"123456", false,
         L"未同意《Larkholm用户使用协议》不能安装！"},
    };
    OpenMigrationForm();
    for (const MigrationCase& c : cases) {
        SCOPED_TRACE(c.what);
        wizard.SetEdit(L"edit_server_ip_migrate", c.ip);
        wizard.SetEdit(L"edit_intall_path_migrate", c.path);
        wizard.SetEdit(L"edit_verify_code_migrate", c.code);
        wizard.Find(L"chk_accept_agreement_migrate")->SetCheck(c.agreed);
        EXPECT_EQ(wizard.Submit(L"btn_start_migrate"), c.message);
        wizard.CloseMessage();
    }
    EXPECT_TRUE(wizard.server().Requests().empty());
}

TEST_F(FullLayout, ValidMigrationStartsARunWithTheUntrimmedValues) {
    // The service answers once the test has seen the button disabled while the request runs (an
    // answer at once could re-enable it within the click's own pump). Should the test end early,
    // the promise goes away and releases the answer.
    std::promise<void> release;
    wizard.server().Handle(kMigrationPath, [released = release.get_future().share()](
                                               const httplib::Request&, httplib::Response& response) {
        released.wait_for(std::chrono::seconds(30));
        response.set_content(R"({"retcode":2001,"retmsg":"验证码已过期","retdata":{}})", "application/json");
    });
    OpenMigrationForm();
    wizard.SetEdit(L"edit_server_ip_migrate", L" 10.0.0.1 ");
    wizard.SetEdit(L"edit_intall_path_migrate", L"  D:\\Apps");
    wizard.SetEdit(L"edit_verify_code_migrate", L"123456");
    ASSERT_TRUE(wizard.ui().Click(L"btn_start_migrate"));
    EXPECT_TRUE(wizard.Find(L"btn_start_migrate")->IsDisabled());
    release.set_value();

    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 20000));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"验证码已过期");
    EXPECT_FALSE(wizard.Find(L"btn_start_migrate")->IsDisabled());
    // The migration form keeps the spaces the all-new form trims.
    EXPECT_EQ(wizard.window().InstallPath(), JoinPath(std::wstring(L"  D:\\Apps"), L"Ostrelle"));
    EXPECT_EQ(wizard.window().Downloader().innerIp, " 10.0.0.1 ");
    EXPECT_EQ(wizard.window().Downloader().kind, kInstallKindMigration);
    EXPECT_EQ(wizard.server().GetCount(kMigrationPath), 1);
}

TEST_F(FullLayout, ProgressPageStartsWithTheFirstFeaturesAndRotatesThem) {
    // The run stalls in its download, so the progress page stays up while the icons turn.
    ServeManifest({{"assist.zip", "/files/assist.zip", std::string(32, 'a')}});
    wizard.server().ServeBytes("/files/assist.zip", std::string(1000, 'x'), Fault::Stall);
    StartAllNewRun();

    // Reset on arrival: group 0, the bar and its text at 0.
    EXPECT_EQ(wizard.Text(L"lb_function_name1"), L"会员充值");
    EXPECT_EQ(wizard.Text(L"lb_function_name4"), L"交接班");
    EXPECT_EQ(wizard.Text(L"lb_progress_value"), L"0%");
    EXPECT_EQ(dynamic_cast<SProgress*>(wizard.Find(L"progress_installing"))->GetValue(), 0);
    EXPECT_EQ(wizard.Text(L"lb_install_info"), L"下载进度");

    // Every 3 s the next group: 1, 2, then 0 again.
    const std::pair<std::wstring, std::wstring> groups[] = {
        {L"会员微信", L"skin_function_wechat"},
        {L"语音播报", L"skin_function_sound_service"},
        {L"会员充值", L"skin_function_recharge"},
    };
    for (const auto& [name, skin] : groups) {
        ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Text(L"lb_function_name1") == name; }));
        EXPECT_EQ(wizard.Find(L"win_icon_function1")->GetSkin(),
                  SApplication::Current()->GetSkinPoolMgr().FindSkin(skin));
    }
}

TEST_F(FullLayout, DownloadProgressIsTheAverageOverEveryFile) {
    // The first of two files arrives whole, the second never: half of the download is done.
    const std::string first(2000, 'p');
    wizard.server().ServeBytes("/files/one.bin", first);
    wizard.server().ServeBytes("/files/two.bin", std::string(1000, 'q'), Fault::Stall);
    ServeManifest({{"one.bin", "/files/one.bin", Md5(first).HexDigest()},
                   {"two.bin", "/files/two.bin", std::string(32, 'b')}});
    StartAllNewRun();

    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Text(L"lb_progress_value") == L"50%"; }));
    EXPECT_EQ(dynamic_cast<SProgress*>(wizard.Find(L"progress_installing"))->GetValue(), 50);
    EXPECT_EQ(wizard.window().DownloadPercent(), 50);
}

}  // namespace
