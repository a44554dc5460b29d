// Extraction of a package that Info-ZIP zip made at build time (tests/install/fixtures): the same
// archive on every platform, so the parts that differ between them (folder creation, text
// conversion of names, file times and the read-only attribute) are checked against one reference.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "install/ExtractPackage.h"
#include "support/TextConvert.h"
#include "support/Thread.h"
#include "tests/install/ArchiveTree.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace larkholm::testing;

TEST(PrebuiltPackageTest, ExtractsTheBuildTimePackageWithItsTimesAndReadOnlyState) {
    FastClock fastClock;
    TempDir scratch;
    RecordingWindow window;
    Thread worker;  // never started: it only provides the pauses and the stop request
    fs::create_directories(scratch.Path() / "download");
    fs::copy_file(fs::absolute(LARKHOLM_FIXTURE_DIR "/assist.zip"),
                  scratch.Path() / "download" / "assist.zip");

    InstallJob job;
    job.downloadDir = AnsiToWide((scratch.Path() / "download").string());
    job.installDir = AnsiToWide((scratch.Path() / "Ostrelle").string());
    job.notifyWindow = window.handle;
    ManifestFile package;
    package.name = "assist.zip";
    job.files = {package};
    ASSERT_TRUE(ExtractPackage(job, worker)) << job.error;

    const fs::path folder = scratch.Path() / "Ostrelle" / "assist";
    EXPECT_EQ(job.launchPath, AnsiToWide((folder / "assist.exe").string()));
    EXPECT_EQ(job.files[0].extractDone, 5);
    const struct {
        const char* name;
        const char* content;
        std::int64_t unixTime;  // 0: an empty item is created, not extracted, and keeps its creation time
        bool writable;
    } items[] = {
        {"assist.exe", "MZ the installed program", 1626371130, true},
        {"conf/server.ini", "[server]\nip=10.0.0.2\n", 1626371130, true},
        {"conf/locked.ini", "kept as shipped\n", 1610736330, false},
        {"logs/empty.log", "", 0, true},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.name);
        const fs::path path = folder / item.name;
        ASSERT_TRUE(fs::is_regular_file(path));
        EXPECT_EQ(ReadFile(path.string()), item.content);
        if (item.unixTime != 0) {
            EXPECT_EQ(fs::file_time_type::clock::to_sys(fs::last_write_time(path)),
                      std::chrono::system_clock::from_time_t(item.unixTime));
        }
        EXPECT_EQ(OwnerMayWrite(path), item.writable);
    }
}

}  // namespace
