// The download worker's run from the setup request to the installed program, against a loopback
// install service; the same on every platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "install/ExtractPackage.h"
#include "support/TextConvert.h"
#include "support/WizardMessages.h"
#include "tests/download/DownLoadThreadFixture.h"
#include "tests/testing/Environment.h"
#include "tests/testing/Eventually.h"

namespace {

namespace fs = std::filesystem;
using namespace larkholm::testing;

TEST_F(DownLoadThreadTest, ASuccessfulRunDownloadsVerifiesAndInstallsInOrder) {
    // The package Info-ZIP zip made at build time: five items, one of them read-only.
    const std::string package = ReadFile(LARKHOLM_FIXTURE_DIR "/assist.zip");
    ASSERT_FALSE(package.empty());
    const std::string data = Content(3'000'000, 7);
    ServeManifest({ServeFile("data.bin", data), ServeFile("assist.zip", package)});

    RunToEnd();
    EXPECT_EQ(worker->error, 0);
    EXPECT_EQ(worker->retcode, 0);
    EXPECT_FALSE(worker->downloading);
    EXPECT_FALSE(worker->extracting);
    EXPECT_EQ(worker->downloadDir, AnsiToWide(DownloadDir().string()));
    EXPECT_EQ(ReadFile((DownloadDir() / "data.bin").string()), data);
    EXPECT_EQ(ReadFile((DownloadDir() / "assist.zip").string()), package);
    const fs::path folder = InstallDir() / "assist";
    EXPECT_EQ(ReadFile((folder / "assist.exe").string()), "MZ the installed program");
    EXPECT_EQ(ReadFile((folder / "conf" / "server.ini").string()), "[server]\nip=10.0.0.2\n");
    EXPECT_EQ(worker->launchPath, AnsiToWide((folder / "assist.exe").string()));
    EXPECT_EQ(worker->files[0].progress.total, std::int64_t(data.size()));
    EXPECT_EQ(worker->files[0].progress.received, std::int64_t(data.size()));
    EXPECT_EQ(ExtractionPercent(worker->files), 100);

    const auto shape = Shape(window.Messages());
    ASSERT_EQ(shape.size(), 6u) << ::testing::PrintToString(shape);
    EXPECT_EQ(shape[0], std::make_pair(UM_DOWNLOAD_STARTED, std::size_t(1)));
    EXPECT_EQ(shape[1].first, UM_DOWNLOAD_PROGRESS);
    EXPECT_EQ(shape[2], std::make_pair(UM_DOWNLOAD_DONE, std::size_t(1)));
    EXPECT_EQ(shape[3], std::make_pair(UM_EXTRACT_PROGRESS, std::size_t(5)));
    EXPECT_EQ(shape[4], std::make_pair(UM_EXTRACT_DONE, std::size_t(1)));
    EXPECT_EQ(shape[5], std::make_pair(UM_INSTALL_FINISHED, std::size_t(1)));
    // Each file ends with 100 once verified: the last progress post, and one per file at least.
    std::vector<WPARAM> percentages;
    for (const auto& post : window.Posts())
        if (post.message == UM_DOWNLOAD_PROGRESS) percentages.push_back(post.wParam);
    EXPECT_EQ(percentages.back(), WPARAM(100));
    EXPECT_GE(std::count(percentages.begin(), percentages.end(), WPARAM(100)), 2);
    for (const WPARAM percent : percentages) EXPECT_LE(percent, WPARAM(100));

    EXPECT_EQ(log.Count("开始下载 文件名:data.bin 地址:" + server.Url("/files/1.bin") + "\r\n"), 1u)
        << log.Text();
    EXPECT_EQ(log.Count("正在下载:" + (DownloadDir() / "data.bin").string() + ", 下载进度 : 100.00%\r\n"),
              1u);
    EXPECT_EQ(log.Count("所有文件下载完成\r\n"), 1u);
    EXPECT_EQ(log.Count("重新下载文件"), 0u);
}

TEST_F(DownLoadThreadTest, AManifestWithABadEntryIsRejectedBeforeAnyDownload) {
    const std::string bytes = "file content";
    const Entry good = ServeFile("good.bin", bytes);
    struct Case {
        const char* why;
        Entry bad;
    };
    const Case cases[] = {
        {"empty hash", {"b.bin", good.downUrl, ""}},
        {"empty downUrl", {"b.bin", "", good.hash}},
        {"climbing name", {"../../x.bin", good.downUrl, good.hash}},
        {"climbing name, Windows separators", {"..\\..\\x.bin", good.downUrl, good.hash}},
        {"absolute name", {(scratch.Path() / "x.bin").string(), good.downUrl, good.hash}},
        {"climbing out of a subfolder", {"sub/../../x.bin", good.downUrl, good.hash}},
        {"parent folder", {"..", good.downUrl, good.hash}},
        {"this folder", {".", good.downUrl, good.hash}},
        {"drive prefix", {"c:x.bin", good.downUrl, good.hash}},
        {"absolute name, Windows separator", {"\\x.bin", good.downUrl, good.hash}},
        {"network path", {"\\\\server\\share\\x.bin", good.downUrl, good.hash}},
        {"stream name", {"sub\\x.bin:hidden", good.downUrl, good.hash}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        DownLoadThread direct;
        direct.notifyWindow = window.handle;
        direct.files = ManifestOf({good, c.bad});
        EXPECT_FALSE(direct.DownloadFiles());
        EXPECT_EQ(direct.error, -2);
        EXPECT_FALSE(direct.downloading);
    }
    EXPECT_EQ(server.GetCount("/files/1.bin"), 0);
    EXPECT_TRUE(fs::is_empty(DownloadDir()));
    EXPECT_FALSE(fs::exists(scratch.Path() / "x.bin"));
    EXPECT_EQ(window.Messages(), std::vector<UINT>(std::size(cases), UM_DOWNLOAD_STARTED));

    // Through a whole run: the run ends with nothing but its final message after the start.
    ServeManifest({good, {"../../x.bin", good.downUrl, good.hash}});
    RunToEnd();
    EXPECT_EQ(worker->error, -2);
    EXPECT_EQ(window.Messages().back(), UM_INSTALL_FINISHED);
    EXPECT_EQ(server.GetCount("/files/1.bin"), 0);
}

TEST_F(DownLoadThreadTest, NamesInSubfoldersLandThereWhicheverSeparatorTheyUse) {
    ServeManifest({ServeFile("bin/x.dll", "x"), ServeFile("bin\\plugins\\y.dll", "y")});
    RunToEnd();
    EXPECT_EQ(worker->error, 0);
    EXPECT_EQ(ReadFile((DownloadDir() / "bin" / "x.dll").string()), "x");
    EXPECT_EQ(ReadFile((DownloadDir() / "bin" / "plugins" / "y.dll").string()), "y");
    EXPECT_EQ(window.Messages().back(), UM_INSTALL_FINISHED);
}

TEST_F(DownLoadThreadTest, AFileThatKeepsFailingIsTriedTenTimesAndStopsTheRun) {
    struct Case {
        const char* why;
        Fault fault;
        bool upperCaseHash;
        std::int32_t error;
    };
    const Case cases[] = {
        // The digest is compared exactly: the right digest in capitals never matches.
        {"upper-case hash", Fault::None, true, -3},
        // The bytes are right but the transfer reports an error: libcurl's code (18, partial file).
        {"transfer error", Fault::LongerLength, false, 18},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        DownLoadThread direct;
        direct.notifyWindow = window.handle;
        Entry failing = ServeFile("failing.bin", Content(20000, 3), c.fault);
        if (c.upperCaseHash)
            std::transform(failing.hash.begin(), failing.hash.end(), failing.hash.begin(), ::toupper);
        const Entry later = ServeFile("later.bin", "never fetched");
        direct.files = ManifestOf({failing, later});
        const std::size_t retries = log.Count("重新下载文件");
        EXPECT_FALSE(direct.DownloadFiles());
        EXPECT_EQ(direct.error, c.error);
        EXPECT_EQ(server.GetCount(failing.downUrl.substr(failing.downUrl.find("/files"))), 10);
        EXPECT_EQ(server.GetCount(later.downUrl.substr(later.downUrl.find("/files"))), 0);
        EXPECT_FALSE(fs::exists(DownloadDir() / "later.bin"));
        EXPECT_EQ(log.Count("重新下载文件"), retries + 10);
        EXPECT_EQ(
            log.Count("重新下载文件, 第10次 文件名:" + (DownloadDir() / "failing.bin").string() + "\r\n"),
            std::size_t(&c - cases + 1));
    }
    EXPECT_EQ(log.Count("文件hash值不匹配. 文件名:"), 10u);
    const auto messages = window.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), UM_DOWNLOAD_DONE), 0);
}

TEST_F(DownLoadThreadTest, AFailedFirstAttemptIsRetriedAndTheRunGoesOn) {
    const std::string first = Content(400000, 5);
    const std::string second = Content(1000, 9);
    // No package in the manifest: the run succeeds without extracting anything.
    ServeManifest({ServeFile("first.bin", first, Fault::ResetMidBody, 1), ServeFile("second.bin", second)});

    RunToEnd();
    EXPECT_EQ(worker->error, 0);
    EXPECT_EQ(server.GetCount("/files/1.bin"), 2);
    EXPECT_EQ(ReadFile((DownloadDir() / "first.bin").string()), first);
    EXPECT_EQ(ReadFile((DownloadDir() / "second.bin").string()), second);
    EXPECT_EQ(log.Count("重新下载文件, 第1次 文件名:"), 1u);
    EXPECT_EQ(log.Count("重新下载文件, 第2次"), 0u);
    EXPECT_EQ(worker->launchPath, L"");
    const auto shape = Shape(window.Messages());
    ASSERT_GE(shape.size(), 3u);
    EXPECT_EQ(shape[shape.size() - 3].first, UM_DOWNLOAD_DONE);
    EXPECT_EQ(shape[shape.size() - 2].first, UM_EXTRACT_DONE);
    EXPECT_EQ(shape.back().first, UM_INSTALL_FINISHED);
}

// The faults of bad lines, each judged by the file the download ends with and by what the server
// had to send for it: an interrupted file costs its missing part, not the whole file again.
TEST_F(DownLoadThreadTest, InterruptedFilesAreContinuedNotFetchedAgain) {
    const std::string body = Content(200000, 3);
    const std::string changed = Content(200000, 9);
    const std::size_t size = body.size();
    const std::size_t cut = size / 10 * 9;
    // The drip under the limit may push its bytes for as long as a busy machine keeps the client
    // from closing the connection it gave up on: a minute's worth (3 s of real time) is allowed.
    const std::uint64_t dripSlack = 60 * 10;
    const struct {
        const char* why;
        DownloadRoute route;
        std::string final;
        std::uint64_t sent;
        std::uint64_t slack;  // what a server may push before it sees the client gone
        std::size_t retries;
    } cases[] = {
        {"reset at 90 %", {.body = body, .faultyGets = 1, .cutAt = cut}, body, size, 0, 1},
        {"stall at 90 %", {.body = body, .faultyGets = 1, .cutAt = cut, .stallAtCut = true}, body, size, 0, 1},
        {"slow drip under the no-progress limit",
         {.body = body, .faultyGets = 1, .bytesPerSecond = 10, .paceFrom = cut}, body, size, dripSlack, 1},
        // 70 s at 1000 B/s: longer than the limit's minute, with a KiB arriving every second, so
        // that only a server thread kept waiting for most of that minute could make it look stalled.
        {"slow drip over the no-progress limit",
         {.body = body, .faultyGets = 1, .bytesPerSecond = 1000, .paceFrom = size - 70000}, body, size, 0, 0},
        {"a server that ignores Range", {.body = body, .honoursRange = false, .faultyGets = 1, .cutAt = cut},
         body, cut + size, 0, 1},
        {"a file changed between attempts", {.body = body, .faultyGets = 1, .cutAt = cut, .changedBody = changed},
         changed, cut + size, 0, 1},
        {"a wrong Content-Range", {.body = body, .wrongContentRange = true, .faultyGets = 1, .cutAt = cut}, body,
         cut + size, size - cut + 1, 1},
        {"a resumed file whose MD5 then fails",
         {.body = body, .faultyGets = 1, .cutAt = cut, .changedBody = changed, .changedEtag = "\"v1\""}, changed,
         2 * size, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const std::string path = "/files/" + std::to_string(++served) + ".bin";
        server.ServeDownload(path, c.route);
        const std::size_t retriesBefore = log.Count("重新下载文件");
        DownLoadThread direct;
        direct.files = ManifestOf({{"data.bin", server.Url(path), Md5Hex(c.final)}});
        EXPECT_TRUE(direct.DownloadFiles());
        EXPECT_EQ(direct.error, 0);
        EXPECT_TRUE(ReadFile((DownloadDir() / "data.bin").string()) == c.final);
        EXPECT_GE(server.BytesSent(path), c.sent);
        EXPECT_LE(server.BytesSent(path), c.sent + c.slack);
        EXPECT_EQ(log.Count("重新下载文件") - retriesBefore, c.retries);
        EXPECT_EQ(direct.files[0].progress.received, std::int64_t(size));
    }
}

TEST_F(DownLoadThreadTest, ACorruptPackageFailsTheRunAndLeavesNoInstallDirectory) {
    ServeManifest({ServeFile("assist.zip", "PK\x03\x04 but no archive at all")});
    RunToEnd();
    EXPECT_EQ(worker->error, -4);
    EXPECT_FALSE(fs::exists(InstallDir()));
    EXPECT_EQ(worker->launchPath, L"");
    const auto shape = Shape(window.Messages());
    EXPECT_EQ(shape.back().first, UM_INSTALL_FINISHED);
    EXPECT_EQ(shape[shape.size() - 2].first, UM_DOWNLOAD_DONE);
}

TEST_F(DownLoadThreadTest, ARefusedOrUnreachableServiceEndsTheRunAtOnce) {
    struct Case {
        const char* why;
        std::string reply;  // empty: nobody listens at the service URL
        std::int32_t error, retcode;
        std::wstring retmsg;
    };
    const Case cases[] = {
        {"refused", R"({"retcode":5,"retmsg":"店铺不存在"})", 0, 5, L"店铺不存在"},
        {"unreachable", "", -1, 0, L""},
        {"empty manifest", "manifest", 0, 0, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TestHttpServer service;
        // Nobody listens: the port of a server already gone.
        const std::string url = c.reply.empty() ? TestHttpServer().Url("/admin") : service.Url("/admin");
        larkholm::testing::SetEnv("LARKHOLM_SERVICE_URL", url.c_str());
        if (c.reply == "manifest") {
            service.ServeJson(kSetupPath, SetupReply(service.Url("/m")));
            service.ServeJson("/m", ManifestReply({}));
        } else if (!c.reply.empty()) {
            service.ServeJson(kSetupPath, c.reply);
        }
        RecordingWindow own;
        DownLoadThread run;
        run.notifyWindow = own.handle;
        run.installDir = AnsiToWide(InstallDir().string());
        run.Launch();
        ASSERT_TRUE(own.WaitFor(UM_INSTALL_FINISHED));
        EXPECT_EQ(run.error, c.error);
        EXPECT_EQ(run.retcode, c.retcode);
        EXPECT_EQ(run.retmsg, c.retmsg);
        EXPECT_EQ(own.Messages(), std::vector<UINT>{UM_INSTALL_FINISHED});
    }
}

TEST_F(DownLoadThreadTest, DestroyingTheWorkerMidTransferStopsItPromptly) {
    ServeManifest(
        {ServeFile("stalled.bin", Content(100000, 2), Fault::Stall), ServeFile("next.bin", "next")});
    worker->Launch();
    ASSERT_TRUE(window.WaitFor(UM_DOWNLOAD_STARTED));
    ASSERT_TRUE(Eventually([&] { return server.GetCount("/files/1.bin") != 0; }));
    ASSERT_EQ(server.GetCount("/files/1.bin"), 1);

    worker.reset();  // returns only once the run has ended
    EXPECT_EQ(server.GetCount("/files/1.bin"), 1);
    EXPECT_EQ(server.GetCount("/files/2.bin"), 0);
    EXPECT_EQ(log.Count("重新下载文件"), 0u);
    const auto messages = window.Messages();
    EXPECT_EQ(std::count(messages.begin(), messages.end(), UM_DOWNLOAD_DONE), 0);
    EXPECT_EQ(messages.back(), UM_INSTALL_FINISHED);
}

}  // namespace
