#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <vector>

#include "download/DownLoadThread.h"
#include "install/ExtractPackage.h"
#include "service/Md5.h"
#include "support/TextConvert.h"
#include "support/WizardMessages.h"
#include "tests/install/InstallRunFixtures.h"
#include "tests/testing/Environment.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempWinePrefix.h"
#include "tests/testing/TestHttpServer.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::Eventually;
using larkholm::testing::FastClock;
using larkholm::testing::Fault;
using larkholm::testing::LogCapture;
using larkholm::testing::MakePackage;
using larkholm::testing::ReadFile;
using larkholm::testing::RecordingWindow;
using larkholm::testing::TempDir;
using larkholm::testing::TempWinePrefix;
using larkholm::testing::TestHttpServer;

constexpr const char* kSetupPath = "/admin/do/install/setup";

// Bytes that differ from file to file and are larger than one network read.
std::string Content(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = char((i * 131 + seed) % 251);
    return bytes;
}

std::string Md5Hex(const std::string& bytes) {
    return Md5(bytes).HexDigest();
}

std::string JsonText(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

struct Entry {
    std::string name;
    std::string downUrl;
    std::string hash;
};

// The files of a manifest listing `entries`, as a fetched manifest leaves them.
std::vector<ManifestFile> ManifestOf(std::initializer_list<Entry> entries) {
    std::vector<ManifestFile> files;
    for (const Entry& entry : entries) {
        ManifestFile file;
        file.name = entry.name;
        file.downUrl = entry.downUrl;
        file.hash = entry.hash;
        files.push_back(file);
    }
    return files;
}

// Consecutive equal messages folded into one with their count: the shape of a run.
std::vector<std::pair<UINT, std::size_t>> Shape(const std::vector<UINT>& messages) {
    std::vector<std::pair<UINT, std::size_t>> shape;
    for (const UINT message : messages) {
        if (!shape.empty() && shape.back().first == message) {
            ++shape.back().second;
        } else {
            shape.push_back({message, 1});
        }
    }
    return shape;
}

// A Wine-shaped prefix for the download folder, a loopback install service, a stand-in window
// and a clock a hundred times as fast.
class DownLoadThreadTest : public ::testing::Test {
protected:
    DownLoadThreadTest() {
        larkholm::testing::SetEnv("LARKHOLM_SERVICE_URL", server.Url("/admin").c_str());
        worker->notifyWindow = window.handle;
        worker->installDir = AnsiToWide(InstallDir().string());
        worker->shopCode = "A1";
        worker->password = "secret";
    }
    ~DownLoadThreadTest() override {
        worker.reset();
        larkholm::testing::UnsetEnv("LARKHOLM_SERVICE_URL");
    }

    fs::path DownloadDir() const { return fs::path(prefix.DriveC()) / "ProgramData" / "Ostrelle"; }
    fs::path InstallDir() const { return scratch.Path() / "Apps" / "Ostrelle"; }

    // Serves `bytes` as a package file and returns its manifest entry.
    Entry ServeFile(const std::string& name, const std::string& bytes, Fault fault = Fault::None,
                    int faultyHits = 0) {
        const std::string path = "/files/" + std::to_string(++served) + ".bin";
        server.ServeBytes(path, bytes, fault, "application/octet-stream", faultyHits);
        return {name, server.Url(path), Md5Hex(bytes)};
    }

    // The setup reply points at a manifest listing `entries`.
    void ServeManifest(const std::vector<Entry>& entries) {
        std::string list;
        for (const Entry& entry : entries) {
            if (!list.empty()) list += ",";
            list += "{\"downUrl\":" + JsonText(entry.downUrl) + ",\"name\":" + JsonText(entry.name) +
                    ",\"hash\":" + JsonText(entry.hash) + "}";
        }
        server.ServeJson(kSetupPath, "{\"retcode\":0,\"retmsg\":\"ok\",\"retdata\":{\"downUrl\":" +
                                         JsonText(server.Url("/manifest")) + ",\"shopId\":12}}");
        server.ServeJson("/manifest", "{\"retcode\":0,\"retdata\":[" + list + "]}");
    }

    // Launches a run and waits for its end, as the window does: UM_INSTALL_FINISHED, then `running`.
    void RunToEnd() {
        worker->Launch();
        ASSERT_TRUE(window.WaitFor(UM_INSTALL_FINISHED));
        ASSERT_TRUE(Eventually([&] { return !worker->running; }));
    }

    FastClock fastClock;
    TempWinePrefix prefix;
    TempDir scratch;
    TestHttpServer server;
    RecordingWindow window;
    LogCapture log;
    std::unique_ptr<DownLoadThread> worker = std::make_unique<DownLoadThread>();
    int served = 0;
};

TEST_F(DownLoadThreadTest, ASuccessfulRunDownloadsVerifiesAndInstallsInOrder) {
    const std::string program = Content(70000, 1);
    const std::string package = (scratch.Path() / "assist.zip").string();
    ASSERT_TRUE(MakePackage(
        scratch, package,
        {{"assist.exe", program}, {"conf/", ""}, {"conf/server.ini", "ip=1"}, {"empty.log", ""}}));
    const std::string data = Content(3'000'000, 7);
    ServeManifest({ServeFile("data.bin", data), ServeFile("assist.zip", ReadFile(package))});

    RunToEnd();
    EXPECT_EQ(worker->error, 0);
    EXPECT_EQ(worker->retcode, 0);
    EXPECT_FALSE(worker->downloading);
    EXPECT_FALSE(worker->extracting);
    EXPECT_EQ(worker->downloadDir, AnsiToWide(DownloadDir().string()));
    EXPECT_EQ(ReadFile((DownloadDir() / "data.bin").string()), data);
    EXPECT_EQ(ReadFile((DownloadDir() / "assist.zip").string()), ReadFile(package));
    const fs::path folder = InstallDir() / "assist";
    EXPECT_EQ(ReadFile((folder / "assist.exe").string()), program);
    EXPECT_EQ(ReadFile((folder / "conf" / "server.ini").string()), "ip=1");
    EXPECT_EQ(worker->launchPath, AnsiToWide((folder / "assist.exe").string()));
    EXPECT_EQ(worker->files[0].progress.total, std::int64_t(data.size()));
    EXPECT_EQ(worker->files[0].progress.received, std::int64_t(data.size()));
    EXPECT_EQ(ExtractionPercent(worker->files), 100);

    const auto shape = Shape(window.Messages());
    ASSERT_EQ(shape.size(), 6u) << ::testing::PrintToString(shape);
    EXPECT_EQ(shape[0], std::make_pair(UM_DOWNLOAD_STARTED, std::size_t(1)));
    EXPECT_EQ(shape[1].first, UM_DOWNLOAD_PROGRESS);
    EXPECT_EQ(shape[2], std::make_pair(UM_DOWNLOAD_DONE, std::size_t(1)));
    EXPECT_EQ(shape[3], std::make_pair(UM_EXTRACT_PROGRESS, std::size_t(4)));
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
        {"name in a subfolder", {"sub/x.bin", good.downUrl, good.hash}},
        {"parent folder", {"..", good.downUrl, good.hash}},
        {"this folder", {".", good.downUrl, good.hash}},
        {"drive prefix", {"c:x.bin", good.downUrl, good.hash}},
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
            service.ServeJson(kSetupPath,
                              R"({"retcode":0,"retdata":{"downUrl":")" + service.Url("/m") + "\"}}");
            service.ServeJson("/m", R"({"retcode":0,"retdata":[]})");
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

// An operator's account or a Wine prefix named in Chinese: the download and install folders are
// converted like every other path, never handed to the library as wide text.
TEST_F(DownLoadThreadTest, FoldersWithChineseNamesWork) {
    TempDir named;
    const fs::path chinesePrefix = named.Path() / "门店服务器";
    fs::copy(prefix.Root(), chinesePrefix, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    larkholm::testing::SetEnv("WINEPREFIX", chinesePrefix.c_str());  // the prefix puts its old value back
    const fs::path installDir = scratch.Path() / "应用" / "Ostrelle";
    worker->installDir = AnsiToWide(installDir.string());
    const std::string package = (scratch.Path() / "assist.zip").string();
    ASSERT_TRUE(MakePackage(scratch, package, {{"assist.exe", "MZ"}}));
    ServeManifest({ServeFile("assist.zip", ReadFile(package))});

    RunToEnd();
    EXPECT_EQ(worker->error, 0);
    EXPECT_EQ(ReadFile((chinesePrefix / "drive_c" / "ProgramData" / "Ostrelle" / "assist.zip").string()),
              ReadFile(package));
    EXPECT_EQ(ReadFile((installDir / "assist" / "assist.exe").string()), "MZ");
}

}  // namespace
