// Replacing an extraction folder from an earlier install while another program holds one of its
// files (the installed program left running, a scanner): the holder is named and nothing is
// deleted, unless it lets go within the wait. The holder is a program of its own, as it would be.
#include <gtest/gtest.h>

#include <filesystem>

#include "install/ExtractPackage.h"
#include "support/TextConvert.h"
#include "support/Thread.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/FileHolder.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace larkholm::testing;

constexpr char kNewProgram[] = "MZ the installed program";  // assist.exe of the prebuilt package

class ExtractInUseTest : public ::testing::Test {
protected:
    ExtractInUseTest() {
        fs::copy_file(fs::absolute(LARKHOLM_FIXTURE_DIR "/assist.zip"), dir.Path() / "assist.zip");
        dir.WriteFile("Ostrelle/assist/assist.exe", "the old program");
        dir.WriteFile("Ostrelle/assist/conf/server.ini", "the old settings");
        job.downloadDir = AnsiToWide(dir.Path().string());
        job.installDir = AnsiToWide((dir.Path() / "Ostrelle").string());
        job.notifyWindow = window.handle;
        ManifestFile package;
        package.name = "assist.zip";
        job.files = {package};
    }

    fs::path OldFile(const char* name) const { return dir.Path() / "Ostrelle" / "assist" / name; }

    TempDir dir;
    RecordingWindow window;
    Thread worker;  // never started: it only provides the pauses and the stop request
    InstallJob job;
};

TEST_F(ExtractInUseTest, AHeldFileIsNamedAndNothingIsDeletedUntilItIsLetGo) {
    FastClock fastClock;  // the two seconds' wait in 20 ms
    FileHolder holder(OldFile("assist.exe"), 60000);

    EXPECT_FALSE(ExtractPackage(job, worker));
    EXPECT_EQ(job.error, kErrorFilesInUse);
    EXPECT_TRUE(FileHolder::NamesHolder(job.busyProgram, OldFile("assist.exe")))
        << WideToUtf8(job.busyProgram);
    EXPECT_FALSE(job.extracting);
    EXPECT_EQ(ReadFile(OldFile("assist.exe")), "the old program");
    EXPECT_EQ(ReadFile(OldFile("conf/server.ini")), "the old settings");
    EXPECT_TRUE(window.Posts().empty());

    // Once the program is closed, the operator's second try replaces the folder.
    ASSERT_TRUE(holder.Release());
    EXPECT_TRUE(ExtractPackage(job, worker)) << job.error;
    EXPECT_EQ(job.busyProgram, L"");
    EXPECT_EQ(ReadFile(OldFile("assist.exe")), kNewProgram);
}

TEST_F(ExtractInUseTest, AFileLetGoWithinTheWaitIsReplaced) {
    // On the real clock: the holder lets go after half a second, the wait lasts two.
    FileHolder holder(OldFile("assist.exe"), 500);
    EXPECT_TRUE(ExtractPackage(job, worker)) << job.error;
    EXPECT_TRUE(holder.Released());
    EXPECT_EQ(ReadFile(OldFile("assist.exe")), kNewProgram);
}

}  // namespace
