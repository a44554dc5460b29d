// How a failed extraction ends, with packages made at build time, so that it runs on every platform.
#include <gtest/gtest.h>

#include <filesystem>

#include "install/ExtractPackage.h"
#include "install/ZipResult.h"
#include "support/TextConvert.h"
#include "support/Thread.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace larkholm::testing;

TEST(ExtractPackageFailureTest, AFailureSetsTheErrorAndDeletesTheWholeInstallDirectory) {
    FastClock fastClock;
    RecordingWindow window;
    LogCapture log;
    Thread worker;  // never started: it only provides the pauses and the stop request
    struct Case {
        const char* name;
        std::string archiveBytes;  // empty: the build-time package made with another password
        std::int32_t error;
        const char* logged;
    };
    const Case cases[] = {
        {"corrupt", "PK\x03\x04 this is no archive", -4, "Open zip file failure. path:"},
        {"wrong password", "", std::int32_t(kZipPassword), "Unzip file error. file:"},
    };
    std::size_t deletions = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        InstallJob failing;
        failing.downloadDir = AnsiToWide(dir.Path().string());
        failing.installDir = AnsiToWide((dir.Path() / "Ostrelle").string());
        failing.notifyWindow = window.handle;
        dir.WriteFile("Ostrelle/earlier.txt", "from before");
        if (c.archiveBytes.empty()) {
            fs::copy_file(fs::absolute(LARKHOLM_FIXTURE_DIR "/other-password.zip"), dir.Path() / "assist.zip");
        } else {
            dir.WriteFile("assist.zip", c.archiveBytes);
        }
        ManifestFile package;
        package.name = "assist.zip";
        failing.files = {package};

        const std::size_t logged = log.Count(c.logged);
        EXPECT_FALSE(ExtractPackage(failing, worker));
        EXPECT_EQ(failing.error, c.error);
        EXPECT_FALSE(failing.extracting);
        EXPECT_EQ(failing.launchPath, L"");
        EXPECT_FALSE(fs::exists(dir.Path() / "Ostrelle"));
        EXPECT_EQ(log.Count(c.logged), logged + 1) << log.Text();
        EXPECT_EQ(log.Count("Unzip file error. 删除安装目录\r\n"), ++deletions);
    }
    EXPECT_TRUE(window.Posts().empty());

    // No folders given: nothing to delete.
    TempDir scratch;
    InstallJob unset;
    unset.installDir = AnsiToWide((scratch.Path() / "Ostrelle").string());
    EXPECT_FALSE(ExtractPackage(unset, worker));
    EXPECT_EQ(unset.error, -4);
}

}  // namespace
