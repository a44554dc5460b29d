#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/components/InstallComponentThreadFixture.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

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

// An installer cut off at 90 % costs its last tenth on the next attempt; one whose size check
// fails although it arrived whole is fetched again from its first byte.
TEST_F(InstallComponentThreadTest, AnInterruptedInstallerIsContinued) {
    const std::size_t cut = kInstaller.size() / 10 * 9;
    server.ServeDownload(kWicPath, {.body = kInstaller, .faultyGets = 1, .cutAt = cut});
    server.ServeDownload(kDotNetPath, {.body = kInstaller, .faultyGets = 1, .cutAt = cut, .stallAtCut = true});
    Queue(kComponentWic, kWicPath);
    Queue(kComponentDotNet4, kDotNetPath);
    Run();
    EXPECT_EQ(worker.downloadStatus, 0);
    for (const std::string& path : {kWicPath, kDotNetPath}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(server.GetCount(path), 2);
        EXPECT_EQ(server.BytesSent(path), kInstaller.size());
        EXPECT_TRUE(ReadFile(InstallerPath(worker.downloadDir, server.Url(path))) == kInstaller);
    }
    EXPECT_EQ(log.Containing("重新下载文件, 第1次").size(), 2u);
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
