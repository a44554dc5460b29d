// The installer proof through the real workers, on the demo WIC installer as
// tests/testing/sign-test-programs.sh signed it for this run (its root trusted by the prefix, its
// signer configured for the suite). The demo installers record every start.
#include <windows.h>
// <windows.h> stays first; what follows may need what it defines.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "components/ComponentTable.h"
#include "components/SetupComponentThread.h"
#include "tests/components/InstallComponentThreadFixture.h"
#include "tests/testing/AcceptedInstaller.h"
#include "tests/testing/Environment.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

const char* const kRefused[] = {"unsigned.exe", "flipped.exe", "other-signer.exe", "unknown-authority.exe",
                                "expired.exe"};

class InstallerRefusalTest : public InstallComponentThreadTest {
protected:
    std::string Starts() const { return ReadFile(startLog); }

    TempDir records;
    const std::string startLog = records / "starts.txt";
    ScopedEnv recording{"LARKHOLM_DEMO_START_LOG", startLog};
};

TEST_F(InstallerRefusalTest, ARefusedDownloadIsDeletedAfterEachOfItsAttempts) {
    std::size_t refusals = 0;
    for (const char* program : kRefused) {
        SCOPED_TRACE(program);
        const std::string path = std::string("/") + program + kWicPath;
        server.ServeBytes(path, ReadFile(SignedProgram(program)));
        InstallComponentThread downloader;
        downloader.downloadDir = worker.downloadDir;
        downloader.tasks.Push({kComponentWic, server.Url(path)});
        RecordingWindow window;
        RunJob(downloader, window, kEnded);
        EXPECT_EQ(downloader.downloadStatus, InstallComponentThread::kDownloadFailed);
        EXPECT_EQ(server.GetCount(path), InstallComponentThread::kMaxAttempts);
        EXPECT_FALSE(std::filesystem::exists(InstallerPath(downloader.downloadDir, server.Url(path))));
        const std::size_t now = log.Containing("Installer refused and deleted: ID:2 ").size();
        EXPECT_EQ(now - refusals, std::size_t(InstallComponentThread::kMaxAttempts));
        refusals = now;
    }
    EXPECT_EQ(Starts(), "");
}

TEST_F(InstallerRefusalTest, AProgramChangedAfterItsDownloadIsNeverStarted) {
    for (const char* program : kRefused) {
        SCOPED_TRACE(program);
        ASSERT_TRUE(std::filesystem::create_directories(worker.downloadDir) ||
                    std::filesystem::is_directory(worker.downloadDir));
        const std::string installer = InstallerPath(worker.downloadDir, server.Url(kWicPath));
        std::filesystem::copy_file(SignedProgram(program), installer,
                                   std::filesystem::copy_options::overwrite_existing);
        SetupComponentThread setup;
        setup.tasks.Push({kComponentWic, installer});
        RecordingWindow window;
        RunJob(setup, window, UM_COMPONENT_SETUP_ENDED);
        EXPECT_EQ(setup.setupStatus, SetupComponentThread::kNotInstalled);
        EXPECT_FALSE(std::filesystem::exists(installer));
    }
    EXPECT_EQ(Starts(), "");
}

TEST_F(InstallerRefusalTest, TheSignedInstallerIsDownloadedAndStartedOnce) {
    server.ServeBytes(kWicPath, AcceptedInstaller());
    Queue(kComponentWic, kWicPath);
    Run();
    ASSERT_EQ(worker.downloadStatus, 0);
    const std::string installer = InstallerPath(worker.downloadDir, server.Url(kWicPath));
    SetupComponentThread setup;
    setup.tasks.Push({kComponentWic, installer});
    RecordingWindow window;
    RunJob(setup, window, UM_COMPONENT_SETUP_ENDED);
    EXPECT_EQ(setup.setupStatus, 0);
    const std::string starts = Starts();
    EXPECT_EQ(std::count(starts.begin(), starts.end(), '\n'), 1);
    EXPECT_NE(starts.find("wic_x86_chs.exe"), std::string::npos) << starts;
}

}  // namespace
