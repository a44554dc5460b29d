// The component check page: a missing component is downloaded (with its progress on its label),
// installed and checked again; a failed download or installer ends on the failure page. The
// installers here are the Linux tests' shell scripts; on Windows the end-to-end test runs real ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "components/ComponentTable.h"
#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"
#include "tests/app/WizardHarness.h"
#include "tests/testing/InstallerScripts.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::kInstallsDotNet;
using larkholm::testing::kInstallsNothing;

// After a component worker's last message the window waits a second of clock time for the worker
// to clear its busy flag, and takes a worker that has not for a failed one. A sped-up clock makes
// that second a few milliseconds, which a loaded machine can keep the worker from running; the
// tests that expect a download to count as done run at the product's own pace.
constexpr unsigned kProductPace = 1;

// "N%..." with N from 1 to 99: a download seen part-way.
bool IsPartialPercent(const std::wstring& text) {
    const size_t digits = text.find_first_not_of(L"0123456789");
    if (digits == 0 || digits == std::wstring::npos || digits > 2 || text[0] == L'0') return false;
    return text.compare(digits, std::wstring::npos, L"%...") == 0;
}

// Every text the label showed while the loop ran, without repeats.
class LabelRecorder {
public:
    LabelRecorder(WizardHarness& wizard, std::wstring name) : wizard(wizard), name(std::move(name)) {}
    void Sample() {
        const std::wstring text = wizard.Text(name);
        if (seen.empty() || seen.back() != text) seen.push_back(text);
    }
    const std::vector<std::wstring>& Seen() const { return seen; }

private:
    WizardHarness& wizard;
    std::wstring name;
    std::vector<std::wstring> seen;
};

TEST(ComponentPage, MissingDotNetIsDownloadedInstalledAndTheFormFollows) {
    WizardHarness wizard(WizardHarness::Components::kDotNetMissing, kProductPace);
    // A real installer is large; the script is padded so its download takes a while.
    wizard.ServeSlowly(WizardHarness::kDotNetPath, kInstallsDotNet + "#" + std::string(60000, '-') + "\n",
                       20);
    wizard.Start();

    LabelRecorder label(wizard, L"lb_dotnetframework4_progress");
    LabelRecorder status(wizard, L"lb_check_componet_status");
    bool pictured = false;
    ASSERT_TRUE(wizard.RunUntil(
        [&] {
            label.Sample();
            status.Sample();
            if (!pictured && IsPartialPercent(label.Seen().back())) {
                wizard.Screenshot("check-downloading");
                pictured = true;
            }
            return wizard.Shown(L"win_install_allnew");
        },
        20000));

    // WIC was present: its box is ticked and its label stays hidden.
    EXPECT_TRUE(wizard.Checked(L"chk_wic_componet"));
    EXPECT_FALSE(wizard.Shown(L"lb_wic_progress"));
    EXPECT_EQ(wizard.server().GetCount(WizardHarness::kWicPath), 0);

    // The .NET label: waiting, percentages as "N%...", 100%, then installing.
    const std::vector<std::wstring>& seen = label.Seen();
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front(), L"等待下载...");
    const auto percent = std::find_if(seen.begin(), seen.end(), IsPartialPercent);
    ASSERT_NE(percent, seen.end()) << "no download percentage between 1% and 99% was shown";
    const auto hundred = std::find(percent, seen.end(), L"100%");
    ASSERT_NE(hundred, seen.end());
    EXPECT_NE(std::find(hundred, seen.end(), L"正在安装..."), seen.end());
    EXPECT_NE(std::find(status.Seen().begin(), status.Seen().end(), L"正在下载必要组件"),
              status.Seen().end());
    EXPECT_NE(std::find(status.Seen().begin(), status.Seen().end(), L"正在安装必要组件"),
              status.Seen().end());

    EXPECT_EQ(wizard.Text(L"lb_windows_title"), L"Larkholm");
    EXPECT_FALSE(wizard.Shown(L"win_check_componet"));
}

TEST(ComponentPage, InstallerThatChangesNothingEndsOnTheFailurePage) {
    WizardHarness wizard(WizardHarness::Components::kDotNetMissing, kProductPace);
    wizard.server().ServeBytes(WizardHarness::kDotNetPath, kInstallsNothing);
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_check_componet_error", 20000));

    EXPECT_FALSE(wizard.Shown(L"win_check_componet"));
    EXPECT_EQ(wizard.Text(L"lb_componet_installfailed"), L"安装失败");
    EXPECT_FALSE(wizard.Shown(L"win_install_allnew"));
    wizard.Screenshot("failure");
}

// A download folder others may write to is left as it is: the installers go to a fresh folder
// beside it, which goes with them once the run is done with them, however it ended.
TEST(ComponentPage, AFreshDownloadFolderIsRemovedOnceItsInstallersAreDoneWith) {
    const struct {
        const char* name;
        const std::string* installer;  // none: the download fails
        unsigned pace;
        const wchar_t* page;
    } cases[] = {
        {"installed", &kInstallsDotNet, kProductPace, L"win_install_allnew"},
        {"installer changed nothing", &kInstallsNothing, kProductPace, L"win_check_componet_error"},
        {"download failed", nullptr, larkholm::testing::kSpeedUpForTransfers, L"win_check_componet_error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WizardHarness wizard(WizardHarness::Components::kDotNetMissing, c.pace);
        if (c.installer) {
            wizard.server().ServeBytes(WizardHarness::kDotNetPath, *c.installer);
        } else {
            wizard.server().ServeStatus(WizardHarness::kDotNetPath, 404, "gone");
        }
        const fs::path wanted = PathFromWide(ComponentDownloadDirectory());
        fs::create_directories(wanted);
        fs::permissions(wanted, fs::perms::all);
        wizard.Start();
        ASSERT_TRUE(wizard.WaitShown(c.page, 20000));

        EXPECT_TRUE(fs::is_empty(wanted));
        std::vector<fs::path> programData;
        for (const auto& entry : fs::directory_iterator(wanted.parent_path()))
            programData.push_back(entry.path());
        EXPECT_EQ(programData, std::vector<fs::path>{wanted});
    }
}

TEST(ComponentPage, UnreachableInstallersEndOnTheNetworkFailurePage) {
    WizardHarness wizard(WizardHarness::Components::kBothMissing);
    wizard.server().ServeStatus(WizardHarness::kWicPath, 404, "gone");
    wizard.server().ServeStatus(WizardHarness::kDotNetPath, 404, "gone");
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_check_componet_error", 20000));

    EXPECT_EQ(wizard.Text(L"lb_componet_installfailed"), L"网络异常，下载失败");
    // Each component's label was closed with "100%", failed or not.
    EXPECT_EQ(wizard.Text(L"lb_wic_progress"), L"100%");
    EXPECT_EQ(wizard.Text(L"lb_dotnetframework4_progress"), L"100%");
    EXPECT_GT(wizard.server().GetCount(WizardHarness::kWicPath), 0);

    // The manual download links lead to the configured installers.
    ASSERT_TRUE(wizard.ui().Click(L"link_download_wic"));
    ASSERT_TRUE(wizard.ui().Click(L"link_download_dotnet40"));
    EXPECT_EQ(wizard.OpenedTargets(),
              (std::vector<std::wstring>{Utf8ToWide(wizard.server().Url(WizardHarness::kWicPath)),
                                         Utf8ToWide(wizard.server().Url(WizardHarness::kDotNetPath))}));

    // The page is final; closing it asks first.
    wizard.window().SendMessage(WM_CLOSE);
    EXPECT_TRUE(wizard.Shown(L"win_install_quit"));
}

}  // namespace
