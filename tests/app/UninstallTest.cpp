// The entry in "Programs and Features" and the uninstall, on the machine the harness makes: an
// unattended install registers itself, and its uninstall leaves the machine as it was before, a
// folder that held other files included; a file in use stops it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "app/ExitCode.h"
#include "app/ProductRegistration.h"
#include "service/Md5.h"
#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/Module.h"
#include "support/platform/WindowsView.h"
#include "tests/app/WizardHarness.h"
#include "tests/testing/InstallReplies.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::ManifestReply;
using larkholm::testing::ReadFile;
using larkholm::testing::SetupReply;
using larkholm::testing::TempDir;

constexpr char kVersionIni[] = "[package]\nname=assist\nversion=2.3.4\n";
// A download the manifest places in a subfolder of the download folder.
constexpr char kExtraName[] = "bin/extra.dll";
constexpr char kExtra[] = "extra";

// Every folder and file below `roots`, with each file's digest: the machine as a test sees it.
std::map<std::string, std::string> Listing(const std::vector<fs::path>& roots) {
    std::map<std::string, std::string> listing;
    for (const fs::path& root : roots) {
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            listing[entry.path().string()] =
                entry.is_directory() ? "folder" : Md5(ReadFile(entry.path().string())).HexDigest();
        }
    }
    return listing;
}

class UninstallRun : public ::testing::Test {
protected:
    UninstallRun() {
        auto& server = wizard.server();
        const std::string package = ReadFile(std::string(LARKHOLM_FIXTURE_DIR) + "/assist.zip");
        server.ServeJson("/admin/do/install/setup", SetupReply(server.Url("/manifest")));
        server.ServeJson(
            "/manifest",
            ManifestReply({{"assist.zip", server.Url("/files/assist.zip"), Md5(package).HexDigest()},
                           {"version.ini", server.Url("/files/version.ini"), Md5(kVersionIni).HexDigest()},
                           {kExtraName, server.Url("/files/extra.dll"), Md5(kExtra).HexDigest()}}));
        server.ServeBytes("/files/assist.zip", package);
        server.ServeBytes("/files/version.ini", kVersionIni);
        server.ServeBytes("/files/extra.dll", kExtra);
    }

    WizardRun Run(bool uninstall) const {
        WizardRun run;
        run.mode = RunMode::kVerySilent;
        run.uninstall = uninstall;
        run.launch = false;
        run.shop = L"1001";
        run.password = L"secret";
        run.folder = AnsiToWide((scratch.Path() / "Apps").string());
        return run;
    }

    std::optional<int> Install() {
        wizard.StartRun(Run(false));
        return wizard.WaitForQuit(60000);
    }
    std::optional<int> Uninstall() {
        wizard.StartRun(Run(true));
        return wizard.WaitForQuit(30000);
    }

    // The folders an install writes to: the scratch folder that holds the install folder, and the
    // machine's application data folder, which holds the downloads (the suite's own on Windows).
    std::vector<fs::path> Machine() const { return {scratch.Path(), PathFromWide(CommonAppDataFolder())}; }
    fs::path InstallDir() const { return scratch.Path() / "Apps" / "Ostrelle"; }

    TempDir scratch;
    WizardHarness wizard;
};

TEST_F(UninstallRun, InstallRegistersItselfAndUninstallLeavesTheMachineAsItWas) {
    const auto before = Listing(Machine());
    ASSERT_EQ(Install(), kExitInstalled);

    std::wstring self;
    ASSERT_EQ(ModulePath(self), 0u);
    const std::wstring dir = AnsiToWide(InstallDir().string());
    const std::wstring copy = AnsiToWide((InstallDir() / fs::path(WideToAnsi(self)).filename()).string());
    const struct {
        const wchar_t* name;
        std::wstring value;
    } entry[] = {
        {L"DisplayName", L"Larkholm"},
        {L"Publisher", L"Larkholm"},
        {L"DisplayVersion", L"2.3.4"},
        {L"InstallLocation", dir},
        {L"DisplayIcon", AnsiToWide((InstallDir() / "assist" / "assist.exe").string())},
        {L"UninstallString", L"\"" + copy + L"\" /UNINSTALL"},
        {L"QuietUninstallString", L"\"" + copy + L"\" /UNINSTALL /VERYSILENT"},
    };
    for (const auto& value : entry)
        EXPECT_EQ(ReadMachineText(kUninstallKey, value.name), value.value) << WideToUtf8(value.name);
    EXPECT_EQ(ReadMachineText(kUninstallKey, L"InstallDate").value_or(L"").size(), 8u);
    EXPECT_TRUE(fs::exists(WideToAnsi(copy)));

    EXPECT_EQ(Uninstall(), kExitInstalled);
    EXPECT_EQ(Listing(Machine()), before);
    EXPECT_FALSE(HklmKeyExists(kUninstallKey));
    // Nothing left to remove the second time.
    EXPECT_EQ(Uninstall(), kExitNotInstalled);
}

TEST_F(UninstallRun, AFolderThatHeldOtherFilesStaysWithThem) {
    fs::create_directories(InstallDir());
    std::ofstream(InstallDir() / "notes.txt") << "the operator's";
    ASSERT_EQ(Install(), kExitInstalled);
    EXPECT_EQ(Uninstall(), kExitInstalled);
    EXPECT_FALSE(fs::exists(InstallDir() / "assist"));
    EXPECT_EQ(ReadFile((InstallDir() / "notes.txt").string()), "the operator's");
    EXPECT_EQ(std::distance(fs::directory_iterator(InstallDir()), fs::directory_iterator()), 1);
}

TEST_F(UninstallRun, AFileInUseStopsTheUninstallAndNamesTheProgram) {
    ASSERT_EQ(Install(), kExitInstalled);
    // The program itself, and a file the package ships read-only, which nobody may open for writing.
    ASSERT_EQ(fs::status(InstallDir() / "assist/conf/locked.ini").permissions() & fs::perms::owner_write,
              fs::perms::none);
    for (const char* held : {"assist/assist.exe", "assist/conf/locked.ini"}) {
        SCOPED_TRACE(held);
        {
            std::ifstream running(InstallDir() / held);
            ASSERT_TRUE(running.is_open());
            EXPECT_EQ(Uninstall(), kExitFilesInUse);
        }
        EXPECT_TRUE(fs::exists(InstallDir() / held));
        EXPECT_TRUE(ReadMachineText(kUninstallKey, L"DisplayName"));
    }
    EXPECT_EQ(Uninstall(), kExitInstalled);
}

}  // namespace
