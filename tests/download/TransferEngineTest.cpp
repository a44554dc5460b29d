#include <curl/curl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "download/AnswerHeaders.h"
#include "download/TransferEngine.h"
#include "tests/download/EngineRun.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using larkholm::testing::kFinishWaitMs;
using larkholm::testing::Outcome;
using larkholm::testing::RunEngine;
using larkholm::testing::DownloadRoute;
using larkholm::testing::Eventually;
using larkholm::testing::FastClock;
using larkholm::testing::Fault;
using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;
using larkholm::testing::TestHttpServer;
namespace fs = std::filesystem;

const std::string kBody = "MZ installer bytes \x01\x02\x03 and a tail";

// Bytes that show where they came from: a shifted or mixed file never equals the original.
std::string Numbered(std::size_t size, unsigned seed = 0) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = char((i * 131 + i / 251 + seed) % 251);
    return bytes;
}

// A route whose GET sends its headers, signals that it was reached and sends no body until the
// test opens the gate; so a test can act on an engine that is certainly in its transfer. The body
// is larger than libcurl reads in one turn, so a Pause taking effect a turn late still holds most of it.
class GatedServer {
public:
    static constexpr std::size_t kSize = 8 * 1024 * 1024;

    GatedServer() {
        server.Handle("/gated.bin", [this](const httplib::Request&, httplib::Response& response) {
            response.set_content_provider(kSize, "application/octet-stream",
                                          [this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                              if (offset == 0) WaitForGate();
                                              const std::string piece(
                                                  std::min<std::size_t>(kSize - offset, 65536), 'g');
                                              return sink.write(piece.data(), piece.size());
                                          });
        });
    }
    ~GatedServer() { Open(); }

    std::string Url() const { return server.Url("/gated.bin"); }
    bool WaitUntilReached() {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(30), [this] { return reached; });
    }
    void Open() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }

private:
    void WaitForGate() {
        std::unique_lock lock(mutex);
        reached = true;
        changed.notify_all();
        changed.wait(lock, [this] { return open; });
    }

    std::mutex mutex;
    std::condition_variable changed;
    bool reached = false;
    bool open = false;
    TestHttpServer server;  // last: stopped before the gate goes away
};

TEST(TransferEngineTest, SavesIntoFileAndFolderDestinations) {
    TestHttpServer server;
    server.ServeBytes("/p/setup.exe", kBody);
    server.ServeBytes("/p/setup.exe&id=3", kBody);
    TempDir dir;
    const std::string root = dir.Path().string();
    const struct {
        std::string destination;
        std::string url;
        std::string savedAs;
    } cases[] = {
        {root + "/dir/file.zip", server.Url("/p/setup.exe"), "dir/file.zip"},
        {root + "/dir/sub", server.Url("/p/setup.exe?v=2"), "dir/sub/setup.exe"},
        {root + "/dir/sub2/", server.Url("/p/setup.exe"), "dir/sub2/setup.exe"},
        {root + "/dir/v1.", server.Url("/p/setup.exe&id=3"),
         "dir/v1./setup.exe"},  // a trailing "." is a folder
        {root + "\\win\\sub\\pkg.zip", server.Url("/p/setup.exe"), "win/sub/pkg.zip"},
        {root + "\\win\\folder", server.Url("/p/setup.exe?v=2"), "win/folder/setup.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.destination);
        const Outcome outcome = RunEngine({{c.url, c.destination}});
        // The engine writes native separators throughout.
        const std::string saved = std::filesystem::path(dir / c.savedAs).make_preferred().string();
        EXPECT_EQ(ReadFile(saved), kBody);
        EXPECT_EQ(outcome.status.path, saved);
        EXPECT_EQ(outcome.status.url, c.url);
        EXPECT_EQ(outcome.status.startSize, 0);
        EXPECT_EQ(outcome.status.total, double(kBody.size()));
        EXPECT_EQ(outcome.status.received, double(kBody.size()));
        EXPECT_EQ(outcome.lastError, 0);
    }
}

TEST(TransferEngineTest, RefusedTasksAreNotAddedAndCreateNothing) {
    TestHttpServer server;
    TempDir dir;
    const std::string root = dir.Path().string();
    const std::string blocker = dir.WriteFile("blocker", "a file where a folder should be");
    const std::string longName(TransferEngine::kFileNameCapacity, 'n');
    const std::string folderFilling255 = root + "/" + std::string(250 - root.size(), 'f');
    const struct {
        const char* why;
        std::string url;
        std::string destination;
    } cases[] = {
        {"no separator", server.Url("/a.bin"), "file.zip"},
        {"URL of 512 bytes", server.Url("/") + std::string(512 - server.Url("/").size(), 'u'),
         root + "/d/f.zip"},
        {"path of 256 bytes", server.Url("/a.bin"), root + "/" + std::string(255 - root.size(), 'p')},
        {"file name of 256 bytes", server.Url("/" + longName + "?x"), root + "/d"},
        {"folder and name over 255 bytes", server.Url("/abcdef.bin"), folderFilling255},
        {"no name in the URL", "setup.exe", root + "/d"},
        {"name that would climb folders", server.Url("/..\\..\\evil.exe"), root + "/d"},
        {"folder that cannot be made", server.Url("/a.bin"), blocker + "/sub/f.zip"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TransferEngine engine;
        EXPECT_FALSE(engine.AddTask({c.url, c.destination}));
        ASSERT_EQ(engine.StartTransfers(), 0);
        ASSERT_TRUE(engine.WaitForFinish(kFinishWaitMs));
        EXPECT_EQ(engine.LastError(), 0);
    }
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()),
              1);  // only the blocker
}

TEST(TransferEngineTest, FileNameFromUrl) {
    const struct {
        std::string url;
        std::string name;
    } cases[] = {
        {"http://h/p/setup.exe?v=2", "setup.exe"},
        {"http://h/get&id=3?x", "get"},
        {"http://h/files/", "files/"},  // a URL ending in "/" keeps it
        {"setup.exe", ""},
        {"/", ""},
        {"http://h/" + std::string(255, 'a'), std::string(255, 'a')},
        {"http://h/" + std::string(256, 'a'), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TransferEngine::FileNameFromUrl(c.url), c.name) << c.url;
}

TEST(TransferEngineTest, ReplacesAnExistingFileFromItsFirstByte) {
    TestHttpServer server;
    server.ServeBytes("/pkg.zip", kBody);
    TempDir dir;
    const std::string target = dir.WriteFile("pkg.zip", std::string(1000, 'o'));
    const Outcome outcome = RunEngine({{server.Url("/pkg.zip"), target}});
    EXPECT_EQ(ReadFile(target), kBody);
    EXPECT_EQ(outcome.status.startSize, 1000);
    EXPECT_EQ(outcome.lastError, 0);
}

TEST(TransferEngineTest, UnknownSizeStillDownloads) {
    for (const Fault fault : {Fault::NoContentLength, Fault::HeadNotFound, Fault::HeadNoLength}) {
        SCOPED_TRACE(int(fault));
        TestHttpServer server;
        server.ServeBytes("/pkg.zip", kBody, fault);
        TempDir dir;
        TransferEngine engine;
        ASSERT_TRUE(engine.AddTask({server.Url("/pkg.zip"), dir / "pkg.zip"}));
        ASSERT_EQ(engine.StartTransfers(), 0);
        ASSERT_TRUE(engine.WaitForFinish(kFinishWaitMs));
        TransferStatus status;
        engine.GetStatus(status);
        EXPECT_EQ(status.total, -1);
        EXPECT_EQ(status.received, double(kBody.size()));
        EXPECT_EQ(engine.Percent(), 0);
        EXPECT_EQ(engine.LastError(), 0);
        EXPECT_EQ(ReadFile(dir / "pkg.zip"), kBody);
    }
}

TEST(TransferEngineTest, FailedTransfersSetLastError) {
    const struct {
        Fault fault;
        int error;
    } cases[] = {
        {Fault::Status404, CURLE_HTTP_RETURNED_ERROR},  // the error page is not saved as the file
        {Fault::Status500, CURLE_HTTP_RETURNED_ERROR},
        {Fault::ResetMidBody, CURLE_PARTIAL_FILE},
        {Fault::LongerLength, CURLE_PARTIAL_FILE},
    };
    const std::string body(300 * 1024, 'b');
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.fault));
        TestHttpServer server;
        server.ServeBytes("/pkg.zip", body, c.fault);
        TempDir dir;
        const Outcome outcome = RunEngine({{server.Url("/pkg.zip"), dir / "pkg.zip"}});
        EXPECT_EQ(outcome.lastError, c.error);
        const std::string saved = ReadFile(dir / "pkg.zip");
        if (c.error == CURLE_HTTP_RETURNED_ERROR) {
            EXPECT_EQ(saved, "");
        }
        EXPECT_EQ(saved, body.substr(0, saved.size()));  // a partial file keeps what did arrive
    }
}

TEST(TransferEngineTest, LaterTasksOfARunFollowAFailedOne) {
    TestHttpServer server;
    server.ServeBytes("/missing.zip", kBody, Fault::Status404);
    server.ServeBytes("/pkg.zip", kBody);
    TempDir dir;
    const Outcome outcome =
        RunEngine({{server.Url("/missing.zip"), dir / "a.zip"}, {server.Url("/pkg.zip"), dir / "b.zip"}});
    EXPECT_EQ(outcome.lastError, CURLE_HTTP_RETURNED_ERROR);  // the latest failure, not cleared by a success
    EXPECT_EQ(ReadFile(dir / "a.zip"), "");
    EXPECT_EQ(ReadFile(dir / "b.zip"), kBody);
    EXPECT_EQ(outcome.status.path, dir / "b.zip");
    EXPECT_EQ(outcome.status.received, double(kBody.size()));
}

TEST(TransferEngineTest, DestinationThatCannotBeOpenedIsSkipped) {
    TestHttpServer server;
    server.ServeBytes("/pkg.zip", kBody);
    TempDir dir;
    fs::create_directories(dir.Path() / "taken.zip");  // a folder where the file should go
    const Outcome outcome = RunEngine({{server.Url("/pkg.zip"), dir / "taken.zip"}});
    EXPECT_EQ(outcome.lastError, 0);
    EXPECT_EQ(outcome.status.startSize, 0);
    EXPECT_TRUE(fs::is_directory(dir.Path() / "taken.zip"));
    EXPECT_EQ(server.GetCount("/pkg.zip"), 0);
}

TEST(TransferEngineTest, RunningEngineRefusesStartAndTimeoutAndIsAbortedByDestruction) {
    TestHttpServer server;
    server.ServeBytes("/stall.zip", kBody, Fault::Stall);
    TempDir dir;
    {
        TransferEngine engine;
        ASSERT_TRUE(engine.AddTask({server.Url("/stall.zip"), dir / "stall.zip"}));
        ASSERT_EQ(engine.StartTransfers(), 0);
        ASSERT_TRUE(Eventually([&] { return server.GetCount("/stall.zip") == 1; }));
        ASSERT_TRUE(engine.IsRunning());
        EXPECT_EQ(engine.StartTransfers(), -1);
        EXPECT_EQ(engine.SetTimeout(1), -1);
        EXPECT_TRUE(fs::exists(dir / "stall.zip"));
    }  // the destructor aborts the stalled transfer and joins the engine thread
    EXPECT_EQ(server.GetCount("/stall.zip"), 1);
}

TEST(TransferEngineTest, AStalledTransferEndsWithTheTimeOutCode) {
    FastClock fastClock;  // the minute without progress passes in well under a second
    for (const Fault fault : {Fault::Stall, Fault::StallMidBody}) {
        SCOPED_TRACE(int(fault));
        TestHttpServer server;
        server.ServeBytes("/stall.zip", std::string(200 * 1024, 's'), fault);
        TempDir dir;
        const Outcome outcome = RunEngine({{server.Url("/stall.zip"), dir / "stall.zip"}});
        EXPECT_EQ(outcome.lastError, CURLE_OPERATION_TIMEDOUT);
    }
}

// Shop lines are slow: a transfer that keeps receiving is never cut off, however long it takes.
TEST(TransferEngineTest, ASlowTransferLongerThanFiveMinutesArrivesInOneGo) {
    // Each tenth of a second brings 1 KiB, so the server thread would have to miss a whole minute,
    // 3 s of real time at this pace, for the transfer to look stalled. The run lasts about 16 s.
    FastClock fastClock(larkholm::testing::kSpeedUpForTransfers);
    TestHttpServer server;
    constexpr std::size_t kBytesPerSecond = 10 * 1024;
    const std::string body(310 * kBytesPerSecond, 'w');  // 310 s
    server.ServeDownload("/slow.zip", {.body = body, .bytesPerSecond = kBytesPerSecond});
    TempDir dir;
    const Outcome outcome = RunEngine({{server.Url("/slow.zip"), dir / "slow.zip"}});
    EXPECT_EQ(outcome.lastError, 0);
    EXPECT_TRUE(ReadFile(dir / "slow.zip") == body);
    EXPECT_EQ(server.GetCount("/slow.zip"), 1);
}

// The answers a resumed transfer may get, each judged by the bytes the file ends with.
TEST(TransferEngineTest, AResumedTransferKeepsOnlyBytesOfTheSameFile) {
    const std::string body = Numbered(100000);
    const std::string changed = Numbered(90000, 7);
    const std::size_t kept = 60000;
    const struct {
        const char* why;
        DownloadRoute route;
        std::string validator;
        std::string final;
        std::uint64_t sent;
    } cases[] = {
        {"the rest of the same file", {.body = body}, "\"v1\"", body, body.size() - kept},
        {"a server that ignores Range", {.body = body, .honoursRange = false}, "\"v1\"", body, body.size()},
        {"a changed file", {.body = changed, .etag = "\"v2\""}, "\"v1\"", changed, changed.size()},
        {"a file the validator was not known for", {.body = body}, "", body, body.size()},
        {"Last-Modified as the validator",
         {.body = body, .etag = "", .lastModified = "Tue, 01 Dec 2026 10:00:00 GMT"},
         "Tue, 01 Dec 2026 10:00:00 GMT", body, body.size() - kept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestHttpServer server;
        server.ServeDownload("/pkg.zip", c.route);
        TempDir dir;
        const std::string path = dir.WriteFile("pkg.zip", body.substr(0, kept));
        const Outcome outcome = RunEngine({{server.Url("/pkg.zip"), path, c.validator}});
        EXPECT_EQ(outcome.lastError, 0);
        EXPECT_TRUE(ReadFile(path) == c.final);
        EXPECT_EQ(server.BytesSent("/pkg.zip"), c.sent);
        EXPECT_EQ(outcome.status.received, double(c.final.size()));
        EXPECT_EQ(outcome.status.validator, c.route.etag.empty() ? c.route.lastModified : c.route.etag);
    }
}

// A file that already holds every byte (or more) is answered 416: it starts again from zero.
TEST(TransferEngineTest, AFileLongerThanTheServersStartsAgain) {
    const std::string body = Numbered(5000);
    TestHttpServer server;
    server.ServeDownload("/pkg.zip", {.body = body});
    TempDir dir;
    const std::string path = dir.WriteFile("pkg.zip", body + "tail");
    const Outcome outcome = RunEngine({{server.Url("/pkg.zip"), path, "\"v1\""}});
    EXPECT_EQ(outcome.lastError, 0);
    EXPECT_TRUE(ReadFile(path) == body);
    EXPECT_EQ(server.GetCount("/pkg.zip"), 2);
}

TEST(TransferEngineTest, ValidatorOfAnAnswer) {
    const struct {
        std::vector<std::string> lines;
        std::string validator;
        std::int64_t rangeStart;
    } cases[] = {
        {{"HTTP/1.1 200 OK\r\n", "ETag: \"abc\"\r\n", "Last-Modified: Mon\r\n"}, "\"abc\"", -1},
        {{"HTTP/1.1 200 OK\r\n", "etag: W/\"weak\"\r\n", "last-modified: Mon\r\n"}, "Mon", -1},
        {{"HTTP/1.1 206 Partial\r\n", "Content-Range: bytes 10-99/100\r\n"}, "", 10},
        {{"HTTP/1.1 206 Partial\r\n", "Content-Range: bytes */100\r\n"}, "", -1},
        // An interim answer's headers are forgotten with it.
        {{"HTTP/1.1 100 Continue\r\n", "ETag: \"old\"\r\n", "\r\n", "HTTP/1.1 200 OK\r\n"}, "", -1},
    };
    for (const auto& c : cases) {
        AnswerHeaders answer;
        for (const std::string& line : c.lines) EXPECT_FALSE(answer.Take(line)) << line;
        EXPECT_TRUE(answer.Take("\r\n"));
        EXPECT_EQ(answer.Validator(), c.validator);
        EXPECT_EQ(answer.rangeStart, c.rangeStart);
    }
}

TEST(TransferEngineTest, AbortEndsTheRunAtOnceAndSkipsTheRest) {
    TestHttpServer server;
    server.ServeBytes("/stall.zip", kBody, Fault::Stall);
    server.ServeBytes("/pkg.zip", kBody);
    TempDir dir;
    TransferEngine engine;
    int finishCalls = 0;
    engine.SetFinishObserver([&] { ++finishCalls; });
    ASSERT_TRUE(engine.AddTask({server.Url("/stall.zip"), dir / "stall.zip"}));
    ASSERT_TRUE(engine.AddTask({server.Url("/pkg.zip"), dir / "pkg.zip"}));
    ASSERT_EQ(engine.StartTransfers(), 0);
    ASSERT_TRUE(Eventually([&] { return engine.IsRunning(); }));
    EXPECT_FALSE(engine.WaitForFinish(50));
    engine.Abort();
    ASSERT_TRUE(engine.WaitForFinish(kFinishWaitMs));
    EXPECT_EQ(engine.LastError(), CURLE_ABORTED_BY_CALLBACK);
    EXPECT_EQ(server.GetCount("/pkg.zip"), 0);
    EXPECT_FALSE(fs::exists(dir / "pkg.zip"));

    // The engine can run again, and its observer hears of each run's end once.
    ASSERT_EQ(engine.StartTransfers(), 0);
    EXPECT_TRUE(Eventually([&] { return engine.IsRunning(); }));
    engine.Abort();
    ASSERT_TRUE(engine.WaitForFinish(kFinishWaitMs));
    EXPECT_TRUE(Eventually([&] { return finishCalls == 2; }));
}

TEST(TransferEngineTest, CancelFlagAbortsTheWritingTransferAndIsClearedAfterTheRun) {
    TempDir dir;
    {
        GatedServer gated;
        TransferEngine idle;
        idle.Cancel();  // without a run there is no handle: the flag stays down
        TransferEngine engine;
        ASSERT_TRUE(engine.AddTask({gated.Url(), dir / "gated.bin"}));
        ASSERT_EQ(engine.StartTransfers(), 0);
        ASSERT_TRUE(gated.WaitUntilReached());
        engine.Cancel();
        gated.Open();
        ASSERT_TRUE(engine.WaitForFinish(kFinishWaitMs));
        EXPECT_EQ(engine.LastError(), CURLE_WRITE_ERROR);
        EXPECT_EQ(ReadFile(dir / "gated.bin"), "");
    }
    GatedServer next;
    next.Open();
    const Outcome outcome = RunEngine({{next.Url(), dir / "next.bin"}});
    EXPECT_EQ(outcome.lastError, 0);
    EXPECT_EQ(ReadFile(dir / "next.bin"), std::string(GatedServer::kSize, 'g'));
}

TEST(TransferEngineTest, PausedTransferCompletesIntactAfterResume) {
    GatedServer gated;
    TempDir dir;
    TransferEngine engine;
    ASSERT_TRUE(engine.AddTask({gated.Url(), dir / "gated.bin"}));
    ASSERT_EQ(engine.StartTransfers(), 0);
    ASSERT_TRUE(gated.WaitUntilReached());
    engine.Pause();
    gated.Open();
    EXPECT_FALSE(engine.WaitForFinish(200));
    engine.Resume();
    ASSERT_TRUE(engine.WaitForFinish(kFinishWaitMs));
    EXPECT_EQ(engine.LastError(), 0);
    EXPECT_EQ(engine.Percent(), 100);
    EXPECT_EQ(ReadFile(dir / "gated.bin"), std::string(GatedServer::kSize, 'g'));
}

}  // namespace
