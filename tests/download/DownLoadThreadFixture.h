// What the download worker's tests share: a clean application data folder to download into, a
// loopback install service, a stand-in window and a clock twenty times as fast: the retry pauses
// take a quarter of a second, and a transfer is only taken for stalled after 3 s without progress.
#pragma once

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "download/DownLoadThread.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/InstallReplies.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempProgramData.h"
#include "tests/testing/TestHttpServer.h"

namespace larkholm::testing {

inline constexpr const char* kSetupPath = "/admin/do/install/setup";

using Entry = ManifestEntry;

// Bytes that differ from file to file and are larger than one network read.
std::string Content(std::size_t size, unsigned seed);

std::string Md5Hex(const std::string& bytes);

// The files of a manifest listing `entries`, as a fetched manifest leaves them.
std::vector<ManifestFile> ManifestOf(std::initializer_list<Entry> entries);

// Consecutive equal messages folded into one with their count: the shape of a run.
std::vector<std::pair<UINT, std::size_t>> Shape(const std::vector<UINT>& messages);

class DownLoadThreadTest : public ::testing::Test {
protected:
    DownLoadThreadTest();
    ~DownLoadThreadTest() override;

    std::filesystem::path DownloadDir() const { return programData.Path() / "Ostrelle"; }
    std::filesystem::path InstallDir() const { return scratch.Path() / "Apps" / "Ostrelle"; }

    // Serves `bytes` as a package file and returns its manifest entry.
    Entry ServeFile(const std::string& name, const std::string& bytes, Fault fault = Fault::None,
                    int faultyHits = 0);
    // The setup reply points at a manifest listing `entries`.
    void ServeManifest(const std::vector<Entry>& entries);
    // Launches a run and waits for its end, as the window does: UM_INSTALL_FINISHED, then `running`.
    void RunToEnd();

    FastClock fastClock{kSpeedUpForTransfers};
    TempProgramData programData;
    TempDir scratch;
    TestHttpServer server;
    RecordingWindow window;
    LogCapture log;
    std::unique_ptr<DownLoadThread> worker = std::make_unique<DownLoadThread>();
    int served = 0;
};

}  // namespace larkholm::testing
