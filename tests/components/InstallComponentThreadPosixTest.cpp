// The installer here is a shell script, as Linux runs installers through the Wine view.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/ComponentDetection.h"
#include "components/SetupComponentThread.h"
#include "tests/components/InstallComponentThreadFixture.h"
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

}  // namespace
