// Unattended installs (/SILENT, /VERYSILENT) on the headless host: the form filled from the run's
// values and started by itself, and every outcome ending the run with its exit code, provoked for
// real against the loopback server.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "app/ExitCode.h"
#include "service/Md5.h"
#include "service/UrlCoding.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "tests/app/WizardHarness.h"
#include "tests/testing/AcceptedInstaller.h"
#include "tests/testing/Environment.h"
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
using larkholm::testing::ScopedEnv;
using larkholm::testing::SetupReply;
using larkholm::testing::StartRecordingInstaller;
using larkholm::testing::TempDir;

constexpr char kSetupPath[] = "/admin/do/install/setup";
// Characters a URL, a log line or a shell would each treat specially.
constexpr wchar_t kPassword[] = L"p@ss word&=密码";

std::string Package() {
    return ReadFile(std::string(LARKHOLM_FIXTURE_DIR) + "/assist.zip");
}

// The setup reply points at a manifest of the one package file, served with `package` bytes and
// `hash` as its digest.
void ServePackage(WizardHarness& wizard, const std::string& package, const std::string& hash) {
    auto& server = wizard.server();
    server.ServeJson(kSetupPath, SetupReply(server.Url("/manifest")));
    server.ServeJson("/manifest", ManifestReply({{"assist.zip", server.Url("/files/assist.zip"), hash}}));
    server.ServeBytes("/files/assist.zip", package);
}

class UnattendedRun : public ::testing::Test {
protected:
    WizardRun Run(RunMode mode = RunMode::kVerySilent) const {
        WizardRun run;
        run.mode = mode;
        run.shop = L"1001";
        run.folder = AnsiToWide((scratch.Path() / "Apps").string());
        run.password = kPassword;
        return run;
    }

    std::filesystem::path Program() const {
        return scratch.Path() / "Apps" / "Ostrelle" / "assist" / "assist.exe";
    }

    TempDir scratch;
};

TEST_F(UnattendedRun, InstallsWithoutAskingAndEndsWithZero) {
    for (const RunMode mode : {RunMode::kSilent, RunMode::kVerySilent}) {
        SCOPED_TRACE(mode == RunMode::kSilent ? "silent" : "very silent");
        LogCapture log;
        WizardHarness wizard;
        const std::string package = Package();
        ServePackage(wizard, package, Md5(package).HexDigest());
        WizardRun run = Run(mode);
        run.launch = mode == RunMode::kSilent;  // /NOLAUNCH on the very silent run
        wizard.StartRun(run);

        EXPECT_EQ(wizard.WaitForQuit(30000), kExitInstalled);
        EXPECT_TRUE(std::filesystem::exists(Program()));
        const std::vector<std::wstring> expectedOpened =
            run.launch ? std::vector<std::wstring>{AnsiToWide(Program().string())}
                       : std::vector<std::wstring>{};
        EXPECT_EQ(wizard.OpenedTargets(), expectedOpened);
        // The form's values reached the service, in the system's code page as the clicked form sends
        // them; the password never reached the log.
        const auto requests = wizard.server().Requests();
        ASSERT_FALSE(requests.empty());
        EXPECT_NE(requests.front().target.find("shopCode=1001&password=" + UrlEncode(WideToAnsi(kPassword))),
                  std::string::npos)
            << requests.front().target;
        EXPECT_EQ(log.Count(WideToUtf8(kPassword)), 0u);
        EXPECT_EQ(log.Count("p@ss"), 0u);
        EXPECT_EQ(log.Count("Unattended run ends with exit code 0"), 1u);
        larkholm::testing::RemoveTree(scratch.Path() / "Apps");
    }
}

TEST_F(UnattendedRun, EachFailureEndsWithItsExitCodeAndSaysWhyInTheLog) {
    std::optional<FileHolder> holder;  // a program still running from an earlier install
    const struct {
        const char* what;
        std::function<void(WizardHarness&, WizardRun&)> arrange;
        int exitCode;
        std::string logged;
    } cases[] = {
        {"no shop id", [](WizardHarness&, WizardRun& run) { run.shop.clear(); }, kExitBadArguments,
         "Message overlay: 酒店编号不存在"},
        {"a root folder", [](WizardHarness&, WizardRun& run) { run.folder = L"  /  "; }, kExitBadArguments,
         "Message overlay: 安装路径不能选择磁盘根目录"},
        {"refused by the service",
         [](WizardHarness& wizard, WizardRun&) {
             wizard.server().ServeJson(kSetupPath,
                                       R"({"retcode":4003,"retmsg":"酒店密码错误","retdata":{}})");
         },
         kExitRefusedByService, "refused the installation: retcode 4003"},
        {"a service that answers nonsense",
         [](WizardHarness& wizard, WizardRun&) {
             wizard.server().ServeBytes(kSetupPath, "<html>maintenance</html>", Fault::None, "text/html");
         },
         kExitDownloadFailed, "错误码:-1"},
        {"a package that never matches its digest",
         [](WizardHarness& wizard, WizardRun&) { ServePackage(wizard, Package(), std::string(32, '0')); },
         kExitDownloadFailed, "错误码:-3"},
        {"a package that cannot be opened",
         [](WizardHarness& wizard, WizardRun&) {
             const std::string broken(4096, 'x');
             ServePackage(wizard, broken, Md5(broken).HexDigest());
         },
         kExitExtractionFailed, "错误码:-4"},
        {"a program still using the package of an earlier install",
         [&](WizardHarness& wizard, WizardRun&) {
             ServePackage(wizard, Package(), Md5(Package()).HexDigest());
             const std::filesystem::path settings = Program().parent_path() / "conf" / "server.ini";
             std::filesystem::create_directories(settings.parent_path());
             std::ofstream(settings) << "[server]\n";
             holder.emplace(settings, 60000);
         },
         kExitFilesInUse, "Files in use. folder:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LogCapture log;
        WizardHarness wizard;
        WizardRun run = Run();
        c.arrange(wizard, run);
        wizard.StartRun(run);
        EXPECT_EQ(wizard.WaitForQuit(30000), c.exitCode);
        EXPECT_EQ(log.Containing(c.logged).size(), 1u) << log.Text();
        EXPECT_FALSE(std::filesystem::exists(Program()));
    }
}

TEST_F(UnattendedRun, PrerequisiteRunsWithItsQuietSwitchesAndItsFailureEndsWithSix) {
    LogCapture log;
    WizardHarness wizard(WizardHarness::Components::kDotNetMissing);
    // An installer that records its arguments and does not install .NET.
    const TempDir records;
    const ScopedEnv startLog("LARKHOLM_DEMO_START_LOG", (records.Path() / "starts.txt").string());
    wizard.server().ServeBytes(WizardHarness::kDotNetPath, StartRecordingInstaller());
    wizard.StartRun(Run(RunMode::kSilent));
    EXPECT_EQ(wizard.WaitForQuit(30000), kExitPrerequisiteFailed);
    // The window is gone by now; the log tells which page it ended on.
    EXPECT_EQ(log.Count("Show page: win_check_componet_error"), 1u);
    const std::string starts = ReadFile(records.Path() / "starts.txt");
    EXPECT_EQ(std::count(starts.begin(), starts.end(), '\n'), 1) << starts;
    EXPECT_TRUE(starts.ends_with("\t/q /norestart\n")) << starts;
    EXPECT_EQ(wizard.server().GetCount(kSetupPath), 0);
}

TEST_F(UnattendedRun, ClosingTheWindowCancelsWithoutAQuestion) {
    WizardHarness wizard;
    // The service keeps the run waiting for its answer.
    wizard.server().ServeBytes(kSetupPath, "{}", Fault::Stall, "application/json");
    wizard.StartRun(Run(RunMode::kSilent));
    ASSERT_TRUE(wizard.RunUntil([&] { return wizard.server().GetCount(kSetupPath) == 1; }));
    wizard.window().SendMessage(WM_CLOSE);
    EXPECT_EQ(wizard.WaitForQuit(), kExitCancelled);
}

}  // namespace
