// Whole installation runs from the form: the install service, manifest and package on the
// loopback server, the package unpacked into a temporary folder, and the pages, labels and
// overlay texts the operator sees on the way.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "dui/src/host/headless/HeadlessWindow.h"
#include "service/Md5.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "tests/app/WizardHarness.h"
#include "tests/testing/FileHolder.h"
#include "tests/testing/InstallReplies.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::Fault;
using larkholm::testing::FileHolder;
using larkholm::testing::LogCapture;
using larkholm::testing::ManifestReply;
using larkholm::testing::ReadFile;
using larkholm::testing::SetupReply;
using larkholm::testing::TempDir;

constexpr char kSetupPath[] = "/admin/do/install/setup";

class InstallRun : public ::testing::Test {
protected:
    InstallRun() {
        wizard.Start();
        EXPECT_TRUE(wizard.WaitShown(L"win_install_allnew"));
    }

    // The package made at build time (tests/install/fixtures): assist.exe with its conf/ and logs/
    // items, under the wizard's package password, or the same under another password.
    static std::string Package() { return ReadFile(std::string(LARKHOLM_FIXTURE_DIR) + "/assist.zip"); }
    static std::string PackageUnderAnotherPassword() {
        return ReadFile(std::string(LARKHOLM_FIXTURE_DIR) + "/other-password.zip");
    }

    // Unpacking fails as a whole (-4) or at an item (the ZIP reader's code): either way the
    // operator is asked to quit and try again, on the progress page, and nothing is started.
    void ExpectUnpackingFailure(const std::string& package, const std::wstring& code) {
        wizard.server().ServeBytes("/files/assist.zip", package);
        ServeManifest("assist.zip", "/files/assist.zip", Md5(package).HexDigest());
        FillFormAndStart();
        ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 30000));
        EXPECT_EQ(wizard.Text(L"lb_message"), L"服务器异常,请联系系统管理员,错误码:" + code);
        EXPECT_EQ(wizard.Text(L"lb_install_info"), L"解压文件出错，请退出重试");
        EXPECT_TRUE(wizard.Shown(L"win_install_progress"));
        EXPECT_TRUE(StartEnabled());
        EXPECT_TRUE(wizard.OpenedTargets().empty());
    }

    // The setup reply points at a manifest of one file, served on `path`.
    void ServeManifest(const std::string& name, const std::string& path, const std::string& hash) {
        wizard.server().ServeJson(kSetupPath, SetupReply(wizard.server().Url("/manifest")));
        wizard.server().ServeJson("/manifest", ManifestReply({{name, wizard.server().Url(path), hash}}));
    }

    void FillFormAndStart() {
        wizard.SetEdit(L"edit_install_path_allnew", AnsiToWide(InstallFolder()) + L"/");
        wizard.SetEdit(L"edit_net_bar_id_allnew", L"1001");
        wizard.SetEdit(L"edit_net_bar_pwd_allnew", L"secret");
        ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
    }

    std::string InstallFolder() const { return (scratch.Path() / "Apps").string(); }
    std::wstring InstallDir() const { return JoinPath(AnsiToWide(InstallFolder()), L"Ostrelle"); }

    bool StartEnabled() { return !wizard.Find(L"btn_start_install_allnew")->IsDisabled(); }

    TempDir scratch;
    WizardHarness wizard;
};

TEST_F(InstallRun, ReachesTheFinishPageThroughTheProgressPageAndStartsTheProgram) {
    const std::string package = Package();
    // Twenty-five pieces 40 ms apart: a second of real time in which the page must be seen part-way
    // (under Wine one paint takes about 100 ms), while the small package still arrives well within
    // the transfer's minute without progress, 3 s of real time at the harness's pace.
    wizard.ServeSlowly("/files/assist.zip", package, 25);
    ServeManifest("assist.zip", "/files/assist.zip", Md5(package).HexDigest());

    FillFormAndStart();
    // A second press finds the button disabled: one run only.
    EXPECT_TRUE(wizard.Find(L"btn_start_install_allnew")->IsDisabled());
    wizard.ui().Click(L"btn_start_install_allnew");

    std::vector<std::wstring> phases;
    bool pictured = false;
    std::wstring speed;
    std::wstring feature;
    ASSERT_TRUE(wizard.RunUntil(
        [&] {
            if (wizard.Shown(L"win_install_progress")) {
                const std::wstring phase = wizard.Text(L"lb_install_info");
                if (phases.empty() || phases.back() != phase) phases.push_back(phase);
                const std::wstring value = wizard.Text(L"lb_progress_value");
                const std::wstring shownSpeed = wizard.Text(L"lb_download_speed");
                if (!pictured && value != L"50%" && value != L"0%" && value != L"100%" &&
                    !shownSpeed.empty()) {
                    // Read before the picture, whose pump may see the download end.
                    speed = shownSpeed;
                    feature = wizard.Shown(L"win_icon_function1") ? wizard.Text(L"lb_function_name1") : L"";
                    wizard.Screenshot("progress");
                    pictured = true;
                }
            }
            return wizard.Shown(L"win_install_finish");
        },
        30000));
    EXPECT_TRUE(pictured) << "no download percentage with its speed was seen";
    EXPECT_NE(speed.find(L"B/s"), std::wstring::npos);
    // The first cell shows the first feature of whichever group the page has turned to.
    EXPECT_THAT(feature, ::testing::AnyOf(L"会员充值", L"会员微信", L"语音播报"));
    ASSERT_FALSE(phases.empty());
    EXPECT_EQ(phases.front(), L"下载进度");
    EXPECT_FALSE(wizard.Shown(L"win_install_progress"));
    EXPECT_FALSE(wizard.Shown(L"win_install_message"));
    wizard.Screenshot("finish");

    // The program inside the unpacked package was handed to the shell.
    const std::wstring program = JoinPath(JoinPath(InstallDir(), L"assist"), L"assist.exe");
    EXPECT_EQ(wizard.OpenedTargets(), std::vector<std::wstring>{program});
    EXPECT_TRUE(std::filesystem::exists(WideToAnsi(program)));

    // One setup request, carrying the form's values and the fields no form sets left empty.
    EXPECT_EQ(wizard.server().GetCount(kSetupPath), 1);
    const auto requests = wizard.server().Requests();
    const auto setup = std::find_if(requests.begin(), requests.end(),
                                    [](const auto& request) { return request.path == kSetupPath; });
    ASSERT_NE(setup, requests.end());
    EXPECT_NE(setup->target.find(
                  "innerIp=&billSysType=&terminalType=&terminalShortcut=&shopCode=1001&password=secret"),
              std::string::npos)
        << setup->target;

    // On the finish page a close request ends the wizard without asking.
    wizard.window().SendMessage(WM_CLOSE);
    EXPECT_EQ(wizard.WaitForQuit(), 0);
}

TEST_F(InstallRun, FailuresShowTheirMessageAndLeaveTheStartButtonUsable) {
    // Three runs in a row on one wizard: after each failure the start button is usable again.
    const std::wstring serverError = L"服务器异常,请联系系统管理员,错误码:";
    LogCapture log;

    // The service answers with something that is not JSON: error -1, the form stays.
    wizard.server().ServeBytes(kSetupPath, "<html>maintenance</html>", Fault::None, "text/html");
    FillFormAndStart();
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 20000));
    EXPECT_EQ(wizard.Text(L"lb_message"), serverError + L"-1");
    EXPECT_TRUE(wizard.Shown(L"win_install_allnew"));
    EXPECT_TRUE(StartEnabled());
    EXPECT_EQ(wizard.Text(L"lb_install_info"), L"安装进度");
    wizard.ui().Click(L"btn_msgdlg_yes");

    // The service refuses: its own message, character for character, over the form.
    wizard.server().ServeJson(kSetupPath,
                              R"json({"retcode":4003,"retmsg":"登录密码错误 (3/5)","retdata":{}})json");
    ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 20000));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"登录密码错误 (3/5)");
    EXPECT_TRUE(wizard.Shown(L"win_install_allnew"));
    EXPECT_TRUE(StartEnabled());
    wizard.ui().Click(L"btn_msgdlg_yes");

    // Even a message that looks like one of our resource references is shown as it came.
    wizard.server().ServeJson(kSetupPath,
                              R"json({"retcode":4004,"retmsg":"@string/title","retdata":{}})json");
    ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 20000));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"@string/title");
    wizard.ui().Click(L"btn_msgdlg_yes");

    // The package fails its digest on every attempt: error -3 on the progress page.
    const std::string package = Package();
    wizard.server().ServeBytes("/files/assist.zip", package);
    ServeManifest("assist.zip", "/files/assist.zip", std::string(32, '0'));
    ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 30000));
    EXPECT_EQ(wizard.Text(L"lb_message"), serverError + L"-3");
    EXPECT_EQ(wizard.Text(L"lb_install_info"), L"下载文件出错，请退出重试");
    EXPECT_TRUE(wizard.Shown(L"win_install_progress"));
    EXPECT_TRUE(StartEnabled());

    // Every overlay text went to the log as well.
    EXPECT_EQ(log.Count(WideToUtf8(L"Message overlay: " + serverError + L"-1")), 1u);
    EXPECT_EQ(log.Count(WideToUtf8(L"Message overlay: 登录密码错误 (3/5)")), 1u);
    EXPECT_EQ(log.Count(WideToUtf8(L"Message overlay: " + serverError + L"-3")), 1u);
}

TEST_F(InstallRun, ManifestWithoutAHashIsRejected) {
    ServeManifest("assist.zip", "/files/assist.zip", "");
    FillFormAndStart();
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 20000));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"服务器异常,请联系系统管理员,错误码:-2");
    EXPECT_EQ(wizard.Text(L"lb_install_info"), L"下载文件出错，请退出重试");
    EXPECT_TRUE(StartEnabled());
    EXPECT_EQ(wizard.server().GetCount("/files/assist.zip"), 0);
}

TEST_F(InstallRun, ManifestWithoutFilesIsReportedInsteadOfPassingInSilence) {
    wizard.server().ServeJson(kSetupPath, SetupReply(wizard.server().Url("/manifest")));
    wizard.server().ServeJson("/manifest", ManifestReply({}));
    FillFormAndStart();
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 20000));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"下载地址错误, 请联系系统管理员");
    EXPECT_TRUE(wizard.Shown(L"win_install_allnew"));
    EXPECT_TRUE(StartEnabled());
}

TEST_F(InstallRun, PackageThatCannotBeOpenedAsksToQuitAndRetry) {
    ExpectUnpackingFailure(std::string(4096, 'x'), L"-4");
}

TEST_F(InstallRun, PackageItemThatCannotBeUnpackedAsksToQuitAndRetry) {
    // Another password than the wizard's: the archive opens, its first item fails with 0x1000.
    ExpectUnpackingFailure(PackageUnderAnotherPassword(), L"4096");
}

TEST_F(InstallRun, CloseDuringTheDownloadIsRefused) {
    const std::string package = Package();
    wizard.server().ServeBytes("/files/assist.zip", package, Fault::Stall);
    ServeManifest("assist.zip", "/files/assist.zip", Md5(package).HexDigest());
    FillFormAndStart();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_progress", 20000));
    // The worker announces the download a moment before it marks itself as downloading.
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.window().Downloader().downloading.load(); }));

    wizard.window().SendMessage(WM_CLOSE);
    ASSERT_TRUE(wizard.Shown(L"win_install_message"));
    EXPECT_EQ(wizard.Text(L"lb_message"), L"安装过程中请勿退出安装程序");
    EXPECT_FALSE(wizard.Shown(L"win_install_quit"));
    EXPECT_TRUE(wizard.Shown(L"win_install_progress"));
}

TEST_F(InstallRun, AProgramStillUsingTheOldPackageIsNamedAndTheFormComesBack) {
    const std::string package = Package();
    wizard.server().ServeBytes("/files/assist.zip", package);
    ServeManifest("assist.zip", "/files/assist.zip", Md5(package).HexDigest());
    const std::filesystem::path program =
        WideToAnsi(JoinPath(JoinPath(InstallDir(), L"assist"), L"assist.exe"));
    std::filesystem::create_directories(program.parent_path());
    std::ofstream(program) << "the running program";
    FileHolder holder(program, 60000);

    FillFormAndStart();
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.Shown(L"win_install_message"); }, 30000));
    const std::wstring prefix = L"请先关闭以下程序，再点击开始安装：\n";
    const std::wstring message = wizard.Text(L"lb_message");
    ASSERT_EQ(message.substr(0, prefix.size()), prefix);
    EXPECT_TRUE(FileHolder::NamesHolder(message.substr(prefix.size()), program)) << WideToUtf8(message);
    EXPECT_TRUE(wizard.Shown(L"win_install_allnew"));
    EXPECT_FALSE(wizard.Shown(L"win_install_progress"));
    EXPECT_TRUE(StartEnabled());
    EXPECT_EQ(ReadFile(program), "the running program");
    wizard.Screenshot("in-use");

    // The program closed, the operator starts again from the same form.
    wizard.CloseMessage();
    ASSERT_TRUE(holder.Release());
    ASSERT_TRUE(wizard.ui().Click(L"btn_start_install_allnew"));
    ASSERT_TRUE(wizard.WaitShown(L"win_install_finish", 30000));
    EXPECT_EQ(ReadFile(program), "MZ the installed program");
    // Each run asked a log-off to wait while it unpacked, and no longer does.
    const auto* window = static_cast<HeadlessWindow*>(wizard.window().GetHostWindow());
    EXPECT_EQ(window->sessionEndHolds, 2);  // once per run
    EXPECT_EQ(window->sessionEndReason, L"");
}

}  // namespace
