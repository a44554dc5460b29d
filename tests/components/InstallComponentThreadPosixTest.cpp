// The installer here is a shell script, as Linux runs installers through the Wine view.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "components/ComponentDetection.h"
#include "components/SetupComponentThread.h"
#include "support/platform/Sha256.h"
#include "tests/components/InstallComponentThreadFixture.h"
#include "tests/testing/Environment.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

TEST_F(InstallComponentThreadTest, OnlyWicMissingIsDownloadedThenInstalled) {
    // The installer is a script that installs WIC into the prefix; it arrives without execute permission.
    const std::string installer =
        "#!/bin/sh\nprintf MZ > \"$WINEPREFIX/drive_c/windows/system32/windowscodecs.dll\"\n" +
        std::string(100 * 1024, '#');
    server.ServeBytes(kWicPath, installer);
    Queue(kComponentWic, kWicPath);
    Run();
    EXPECT_EQ(worker.downloadStatus, 0);
    EXPECT_EQ(worker.totalBytes, std::int32_t(installer.size()));
    EXPECT_EQ(worker.receivedBytes, std::int32_t(installer.size()));
    const std::string saved = InstallerPath(worker.downloadDir, server.Url(kWicPath));
    EXPECT_EQ(ReadFile(saved), installer);
    EXPECT_EQ(log.Containing("开始下载组件 ID:2 地址:" + server.Url(kWicPath)).size(), 1u);

    SetupComponentThread setup;
    setup.tasks.Push({kComponentWic, saved});
    RunJob(setup, window, UM_COMPONENT_SETUP_ENDED);
    EXPECT_EQ(setup.setupStatus, 0);
    EXPECT_TRUE(IsWicInstalled());

    const auto posted = window.Posts();
    std::size_t at = ExpectComponentMessages(posted, 0, kComponentWic, true);
    const std::vector<Posted> rest(posted.begin() + std::ptrdiff_t(at), posted.end());
    EXPECT_EQ(rest, (std::vector<Posted>{{kEnded, 0, 0},
                                         {UM_COMPONENT_SETUP_STARTED, kComponentWic, 0},
                                         {UM_COMPONENT_SETUP_ENDED, 0, 0}}));
}

// On Linux the SHA-256 pin is the installer's proof: one that misses it is deleted and fetched
// again, and after the last attempt the component has failed.
class PinnedInstallerTest : public InstallComponentThreadTest {
protected:
    static std::string Sha256Of(const std::string& bytes) {
        Sha256 digest;
        digest.Update(bytes.data(), bytes.size());
        return digest.HexDigest();
    }

    // Serves `served` as the WIC installer and runs the job; the path it was saved to.
    std::string DownloadServing(const std::string& served) {
        server.ServeBytes(kWicPath, served);
        Queue(kComponentWic, kWicPath);
        Run();
        return InstallerPath(worker.downloadDir, server.Url(kWicPath));
    }

    const std::string installer = "#!/bin/sh\nexit 0\n" + std::string(64 * 1024, '#');
    const std::string pin = Sha256Of(installer);
    ScopedEnv pinned{"LARKHOLM_WIC_SHA256", pin};
};

TEST_F(PinnedInstallerTest, AnInstallerMatchingItsPinIsKept) {
    const std::string saved = DownloadServing(installer);
    EXPECT_EQ(worker.downloadStatus, 0);
    EXPECT_EQ(ReadFile(saved), installer);
    EXPECT_TRUE(log.Containing("Installer refused").empty());
}

TEST_F(PinnedInstallerTest, AnInstallerMissingItsPinIsDeletedAfterEveryAttempt) {
    std::string tampered = installer;
    tampered[15] = '1';  // "exit 1"
    const std::string saved = DownloadServing(tampered);
    EXPECT_EQ(worker.downloadStatus, InstallComponentThread::kDownloadFailed);
    EXPECT_EQ(server.GetCount(kWicPath), InstallComponentThread::kMaxAttempts);
    EXPECT_FALSE(std::filesystem::exists(saved));
    const auto refusals = log.Containing("Installer refused and deleted: ID:2 " + saved + ": SHA-256 ");
    ASSERT_EQ(refusals.size(), std::size_t(InstallComponentThread::kMaxAttempts));
    EXPECT_NE(refusals[0].find("differs from the pinned " + pin), std::string::npos);
}

}  // namespace
