// Start-up: what the window holds and shows once the entry point's sequence has run, and the
// hand-over to the install form when both components are present.
#include <gtest/gtest.h>

#include <cwchar>
#include <filesystem>

#include "app/NamedIdTable.h"
#include "dui/src/control/SProgress.h"
#include "support/platform/Module.h"
#include "support/platform/WindowsView.h"
#include "tests/app/WizardHarness.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::Fault;
using larkholm::testing::TempDir;

TEST(Startup, BuildsTheSevenPagesAndTheWindowAtItsLayoutSizeCentred) {
    // A missing component whose installer never arrives holds the wizard on the check page, so
    // what start-up left there can be looked at however slowly the test runs.
    WizardHarness wizard(WizardHarness::Components::kDotNetMissing);
    wizard.server().ServeBytes(WizardHarness::kDotNetPath, "MZ an installer that never arrives", Fault::Stall);
    wizard.Start();

    // The pages are the root's children after the caption, in layout order.
    std::vector<std::wstring> pages;
    for (SWindow* child = wizard.window().GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->GetName().empty()) pages.push_back(child->GetName());
    }
    EXPECT_EQ(pages, (std::vector<std::wstring>{L"win_check_componet", L"win_check_componet_error",
                                                L"win_install_allnew", L"win_install_progress",
                                                L"win_install_finish", L"win_install_message",
                                                L"win_install_quit"}));
    EXPECT_EQ(wizard.ui().Find(L"win_install_migration"), nullptr);

    // Only the component check page is up, under the check title; the host window keeps the
    // product name as its title.
    EXPECT_TRUE(wizard.Shown(L"win_check_componet"));
    EXPECT_FALSE(wizard.Shown(L"win_check_componet_error"));
    EXPECT_EQ(wizard.Text(L"lb_windows_title"), L"Larkholm智能安装向导");
    EXPECT_EQ(wizard.host().Window(wizard.window().GetHwnd())->title, L"Larkholm");

    // 666 x 474 from the layout, centred on the 1920 x 1080 work area of the headless screen.
    const RECT rect = wizard.window().GetHostRect();
    EXPECT_EQ(rect.right - rect.left, 666);
    EXPECT_EQ(rect.bottom - rect.top, 474);
    EXPECT_EQ(rect.left, (1920 - 666) / 2);
    EXPECT_EQ(rect.top, (1080 - 474) / 2);

    // The progress page keeps the layout's values until the first progress message.
    EXPECT_EQ(wizard.Text(L"lb_progress_value"), L"50%");
    EXPECT_EQ(dynamic_cast<SProgress*>(wizard.Find(L"progress_installing"))->GetValue(), 50);

    // Every named window got the id of the name-id table (ids follow layout order).
    for (const SNamedIdEntry& entry : kNamedIds) {
        if (entry.id == 65535) continue;
        SWindow* named = wizard.Find(entry.name);
        ASSERT_NE(named, nullptr);
        EXPECT_EQ(named->GetID(), entry.id) << std::string(entry.name, entry.name + wcslen(entry.name));
    }
    wizard.Screenshot("check");
}

TEST(Startup, RelativePathsStartAtTheExecutablesFolderWhereverItWasStartedFrom) {
    // As from a shortcut whose working folder is elsewhere.
    const std::filesystem::path testFolder = std::filesystem::current_path();
    TempDir elsewhere;
    std::filesystem::current_path(elsewhere.Path());
    WizardHarness wizard;
    wizard.Start();
    const std::filesystem::path afterStart = std::filesystem::current_path();
    std::filesystem::current_path(testFolder);

    std::wstring executableFolder;
    ASSERT_EQ(ModuleDirectory(executableFolder), 0u);
    EXPECT_EQ(afterStart, std::filesystem::path(executableFolder));
}

TEST(Startup, WindowLargerThanTheWorkAreaIsKeptInsideIt) {
    WizardHarness wizard;
    wizard.Start(SIZE{640, 400});
    const RECT rect = wizard.window().GetHostRect();
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 666);
}

TEST(Startup, BothComponentsPresentLeadToTheFilledInForm) {
    WizardHarness wizard;
    wizard.Start();
    ASSERT_TRUE(wizard.WaitShown(L"win_install_allnew"));

    EXPECT_FALSE(wizard.Shown(L"win_check_componet"));
    EXPECT_EQ(wizard.Text(L"lb_windows_title"), L"Larkholm");
    EXPECT_TRUE(wizard.Checked(L"chk_wic_componet"));
    EXPECT_TRUE(wizard.Checked(L"chk_dotnetframework4_componet"));
    EXPECT_EQ(wizard.Text(L"edit_install_path_allnew"), ProgramFilesFolder());
    EXPECT_TRUE(wizard.Checked(L"chk_accept_agreement_allnew"));
    // Nothing was missing, so nothing was downloaded.
    EXPECT_TRUE(wizard.server().Requests().empty());
    wizard.Screenshot("form");
}

}  // namespace
