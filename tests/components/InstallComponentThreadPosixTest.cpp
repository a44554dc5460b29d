#include <gtest/gtest.h>

#include <string>

#include "components/ComponentDetection.h"
#include "components/ComponentTable.h"
#include "components/InstallComponentThread.h"
#include "components/SetupComponentThread.h"
#include "support/WizardMessages.h"
#include "tests/components/ComponentWorkerHarness.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempWinePrefix.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using namespace larkholm::testing;

constexpr UINT kStarted = UM_COMPONENT_DOWNLOAD_STARTED;
constexpr UINT kProgress = UM_COMPONENT_DOWNLOAD_PROGRESS;
constexpr UINT kEnded = UM_COMPONENT_DOWNLOAD_ENDED;

const std::string kWicPath = "/software/wic_x86_chs.exe";
const std::string kDotNetPath = "/supplier/website/package/dotNetFx40_Full_x86_x64.exe";
const std::string kInstaller(100 * 1024, 'i');

class InstallComponentThreadTest : public ::testing::Test {
protected:
    InstallComponentThreadTest() { worker.downloadDir = ComponentDownloadDirectory(); }

    void Queue(std::int32_t id, const std::string& path) { worker.tasks.Push({id, server.Url(path)}); }
    void Run() { RunJob(worker, window, kEnded); }

    // The messages of one component: its start, any number of rising progress samples ending in
    // 100 when it succeeded, and its end. Returns the index after them.
    std::size_t ExpectComponentMessages(const std::vector<Posted>& posted, std::size_t at, WPARAM id,
                                        bool succeeded) {
        EXPECT_EQ(posted.at(at++), (Posted{kStarted, id, 0}));
        LPARAM last = 0;
        for (; at < posted.size() && posted[at].message == kProgress; ++at) {
            EXPECT_EQ(posted[at].wParam, id);
            EXPECT_GE(posted[at].lParam, last);
            last = posted[at].lParam;
        }
        EXPECT_EQ(last, succeeded ? 100 : 0);
        EXPECT_EQ(posted.at(at++), (Posted{kEnded, id, 0}));
        return at;
    }

    FastClock fastClock;
    TempWinePrefix prefix;
    TestHttpServer server;
    RecordingWindow window;
    LogCapture log;
    InstallComponentThread worker;  // last: stopped before everything it uses goes away
};

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

TEST_F(InstallComponentThreadTest, SizeMismatchOnEveryAttemptRetriesTenTimes) {
    server.ServeBytes(kWicPath, kInstaller, Fault::HeadNotFound);  // the size is never learned
    Queue(kComponentWic, kWicPath);
    Run();
    EXPECT_EQ(server.GetCount(kWicPath), InstallComponentThread::kMaxAttempts);
    const auto retries = log.Containing("重新下载文件, 第");
    ASSERT_EQ(retries.size(), 10u);
    EXPECT_NE(retries.back().find("第10次 文件名:" + InstallerPath(worker.downloadDir, server.Url(kWicPath))),
              std::string::npos);
    EXPECT_EQ(worker.downloadStatus, InstallComponentThread::kDownloadFailed);
    EXPECT_EQ(worker.totalBytes, -1);
    EXPECT_EQ(worker.receivedBytes, std::int32_t(kInstaller.size()));
}

TEST_F(InstallComponentThreadTest, AFailedComponentKeepsTheJobFailedThoughALaterOneSucceeds) {
    server.ServeBytes(kWicPath, kInstaller, Fault::Status404);
    server.ServeBytes(kDotNetPath, kInstaller);
    Queue(kComponentWic, kWicPath);
    Queue(kComponentDotNet4, kDotNetPath);
    Run();
    const auto posted = window.Posts();
    std::size_t at = ExpectComponentMessages(posted, 0, kComponentWic, false);
    at = ExpectComponentMessages(posted, at, kComponentDotNet4, true);
    EXPECT_EQ(posted.at(at), (Posted{kEnded, 0, 0}));
    EXPECT_EQ(server.GetCount(kWicPath), InstallComponentThread::kMaxAttempts);
    EXPECT_EQ(worker.downloadStatus, InstallComponentThread::kDownloadFailed);
}

TEST_F(InstallComponentThreadTest, EmptyDownloadFolderAbandonsTheQueue) {
    worker.downloadDir.clear();
    Queue(kComponentWic, kWicPath);
    Queue(kComponentDotNet4, kDotNetPath);
    Run();
    EXPECT_EQ(window.Posts(), (std::vector<Posted>{{kStarted, kComponentWic, 0}, {kEnded, 0, 0}}));
    EXPECT_EQ(worker.downloadStatus, InstallComponentThread::kDownloadFailed);
    EXPECT_FALSE(worker.tasks.IsEmpty());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(InstallComponentThreadTest, StoppingTheWorkerAbortsAStalledDownload) {
    server.ServeBytes(kWicPath, kInstaller, Fault::Stall);
    Queue(kComponentWic, kWicPath);
    worker.notifyWindow = window.handle;
    ASSERT_TRUE(worker.Start(&InstallComponentThread::Job, &worker));
    worker.Trigger();
    ASSERT_TRUE(Eventually([&] { return server.GetCount(kWicPath) == 1; }));  // the server holds the body
    worker.StopAndJoin();
    EXPECT_EQ(window.Posts().back(), (Posted{kEnded, 0, 0}));
    EXPECT_EQ(worker.downloadStatus, InstallComponentThread::kDownloadFailed);
    EXPECT_FALSE(worker.busy);
}

}  // namespace
