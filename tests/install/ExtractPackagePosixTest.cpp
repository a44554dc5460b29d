#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "install/ExtractPackage.h"
#include "install/ZipResult.h"
#include "support/Clock.h"
#include "support/TextConvert.h"
#include "support/Thread.h"
#include "support/WizardMessages.h"
#include "tests/install/InstallRunFixtures.h"
#include "tests/install/ZipFixtures.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempWinePrefix.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::FastClock;
using larkholm::testing::LogCapture;
using larkholm::testing::MakePackage;
using larkholm::testing::PackageItem;
using larkholm::testing::ReadFile;
using larkholm::testing::RecordingWindow;
using larkholm::testing::TempDir;
using larkholm::testing::TempWinePrefix;

const std::string kProgram = std::string("MZ\x90\0\x03 the installed program", 26);

// An empty item inside a folder the archive does not list, and one at the top.
const std::vector<PackageItem> kPackage = {
    {"assist.exe", kProgram}, {"conf/", ""},      {"conf/server.ini", "[server]\nip=10.0.0.2\n"},
    {"logs/empty.log", ""},   {"readme.txt", ""},
};

// Every file and folder below `root`, as relative paths.
std::set<std::string> TreeOf(const fs::path& root) {
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.insert(entry.path().lexically_relative(root).string());
    return entries;
}

class ExtractPackageTest : public ::testing::Test {
protected:
    ExtractPackageTest() {
        job.downloadDir = AnsiToWide((scratch.Path() / "download").string());
        job.installDir = AnsiToWide((scratch.Path() / "Apps" / "Ostrelle").string());
        job.notifyWindow = window.handle;
    }

    std::string DownloadPath(const std::string& name) const {
        return (scratch.Path() / "download" / name).string();
    }
    fs::path InstallPath() const { return scratch.Path() / "Apps" / "Ostrelle"; }
    void AddFile(const std::string& name) {
        ManifestFile file;
        file.name = name;
        job.files.push_back(file);
    }
    void AddPackage(const std::string& name, const std::vector<PackageItem>& items = kPackage) {
        ASSERT_TRUE(MakePackage(scratch, DownloadPath(name), items));
        AddFile(name);
    }

    FastClock fastClock;
    TempDir scratch;
    RecordingWindow window;
    LogCapture log;
    InstallJob job;
    Thread worker;  // never started: it only provides the pauses and the stop request
};

TEST_F(ExtractPackageTest, ExtractsEveryItemReportsEachAndRecordsTheProgramToStart) {
    TempWinePrefix prefix;
    job.installDir = L"C:\\Apps\\Ostrelle";  // as the form builds it
    scratch.WriteFile("download/data.bin", "not an archive");
    scratch.WriteFile("download/assist2.zip", "not an archive either");
    AddFile("data.bin");
    AddPackage("assist.zip");
    AddFile("assist2.zip");

    ASSERT_TRUE(ExtractPackage(job, worker));
    const fs::path folder = fs::path(prefix.DriveC()) / "Apps" / "Ostrelle" / "assist";
    EXPECT_EQ(job.error, 0);
    EXPECT_FALSE(job.extracting);
    EXPECT_EQ(job.launchPath, AnsiToWide((folder / "assist.exe").string()));
    EXPECT_EQ(TreeOf(folder), (std::set<std::string>{"assist.exe", "conf", "conf/server.ini", "logs",
                                                     "logs/empty.log", "readme.txt"}));
    EXPECT_EQ(ReadFile((folder / "assist.exe").string()), kProgram);
    EXPECT_EQ(ReadFile((folder / "conf/server.ini").string()), "[server]\nip=10.0.0.2\n");
    EXPECT_EQ(fs::file_size(folder / "logs/empty.log"), 0u);
    EXPECT_EQ(fs::file_size(folder / "readme.txt"), 0u);

    EXPECT_EQ(job.files[1].extractTotal, 5);
    EXPECT_EQ(job.files[1].extractDone, 5);
    EXPECT_EQ(job.files[0].extractTotal + job.files[2].extractTotal, 0);
    EXPECT_EQ(ExtractionPercent(job.files), 100);
    const std::vector<UINT> expected = {UM_EXTRACT_PROGRESS, UM_EXTRACT_PROGRESS, UM_EXTRACT_PROGRESS,
                                        UM_EXTRACT_PROGRESS, UM_EXTRACT_PROGRESS, UM_EXTRACT_DONE};
    EXPECT_EQ(window.Messages(), expected);
    EXPECT_EQ(log.Count("Unzip file. file:assist.exe, 1/5\r\n"), 1u) << log.Text();
    EXPECT_EQ(log.Count("Unzip file. file:readme.txt, 5/5\r\n"), 1u);
    EXPECT_EQ(log.Count("解压文件成功，通知UI可以启动assist进程\r\n"), 1u);
}

TEST_F(ExtractPackageTest, ThePackageIsTheAssistArchiveInAnyLetterCase) {
    AddPackage("ASSIST.ZIP", {{"assist.exe", kProgram}});
    ASSERT_TRUE(ExtractPackage(job, worker));
    // The program that starts is the file the archive wrote, whatever the manifest's letter case.
    EXPECT_EQ(job.launchPath, AnsiToWide((InstallPath() / "ASSIST" / "assist.exe").string()));
    EXPECT_EQ(ReadFile((InstallPath() / "ASSIST" / "assist.exe").string()), kProgram);

    // Without it nothing is extracted, and the run still succeeds.
    InstallJob other;
    other.downloadDir = job.downloadDir;
    other.installDir = job.installDir + L"2";
    other.notifyWindow = window.handle;
    ManifestFile unrelated;
    unrelated.name = "assist.zip.bak";
    other.files = {unrelated};
    ASSERT_TRUE(ExtractPackage(other, worker));
    EXPECT_EQ(other.launchPath, L"");
    EXPECT_FALSE(fs::exists(InstallPath().string() + "2"));
    EXPECT_EQ(window.Messages().back(), UM_EXTRACT_DONE);
}

TEST_F(ExtractPackageTest, AnExistingExtractionFolderIsReplacedWithoutFollowingLinks) {
    AddPackage("assist.zip", {{"assist.exe", kProgram}, {"conf/", ""}});
    const fs::path folder = InstallPath() / "assist";
    scratch.WriteFile("Apps/Ostrelle/assist/stale.txt", "old");
    scratch.WriteFile("Apps/Ostrelle/assist/conf/old/deep.ini", "old");
    scratch.WriteFile("Apps/Ostrelle/keep.txt", "beside the folder");
    const std::string outside = scratch.WriteFile("outside/precious.txt", "not ours");
    fs::create_directory_symlink(scratch.Path() / "outside", folder / "link");

    ASSERT_TRUE(ExtractPackage(job, worker));
    EXPECT_EQ(TreeOf(folder), (std::set<std::string>{"assist.exe", "conf"}));
    EXPECT_EQ(ReadFile(outside), "not ours");
    EXPECT_TRUE(fs::exists(InstallPath() / "keep.txt"));
}

TEST_F(ExtractPackageTest, AnEmptyItemNamedLikeAFolderBecomesAFolder) {
    // Some tools store folders as empty items with a trailing "/" and file attributes.
    fs::create_directories(scratch.Path() / "download");
    ASSERT_TRUE(larkholm::testing::MakeCraftedArchive(scratch, DownloadPath("assist.zip"), R"(
add("data/", attr=0o644 << 16)
add("data/x.txt", b"inside")
)"));
    AddFile("assist.zip");
    ASSERT_TRUE(ExtractPackage(job, worker)) << job.error;
    EXPECT_EQ(ReadFile((InstallPath() / "assist" / "data" / "x.txt").string()), "inside");
}

TEST_F(ExtractPackageTest, AStopBetweenItemsLeavesWhatWasExtracted) {
    Clock::SetSpeedUp(1);  // real 100 ms pauses before each empty item, time enough to stop in between
    // Fifty of them, so the stop has 5 s to arrive after the first item however busy the machine is.
    std::vector<PackageItem> items;
    for (int i = 0; i < 50; ++i) items.push_back({"item" + std::to_string(i) + ".txt", ""});
    AddPackage("assist.zip", items);

    struct Run {
        InstallJob* job;
        Thread* thread;
        bool result = true;
    };
    Thread extracting;
    Run run{&job, &extracting};
    extracting.Start(
        [](void* context) -> std::uint32_t {
            auto* run = static_cast<Run*>(context);
            run->result = ExtractPackage(*run->job, *run->thread);
            return 0;
        },
        &run);
    extracting.Trigger();
    ASSERT_TRUE(window.WaitFor(UM_EXTRACT_PROGRESS));
    extracting.StopAndJoin();

    EXPECT_FALSE(run.result);
    EXPECT_EQ(job.error, -4);
    EXPECT_FALSE(job.extracting);
    const auto left = TreeOf(InstallPath() / "assist");
    EXPECT_TRUE(left.count("item0.txt"));
    EXPECT_LT(left.size(), items.size());
    EXPECT_EQ(window.Messages().back(), UM_EXTRACT_PROGRESS);
}

TEST(ExtractionPercentTest, IsItemsDoneOverItemsOfEveryArchive) {
    struct Case {
        std::vector<std::pair<int, int>> doneAndTotal;
        std::int32_t percent;
    };
    const Case cases[] = {
        {{{3, 4}}, 75},    {{}, 0},         {{{0, 0}, {0, 5}}, 0}, {{{1, 3}, {0, 0}, {1, 1}}, 50},
        {{{29, 100}}, 29}, {{{3, 3}}, 100}, {{{2, 3}}, 66},
    };
    for (const Case& c : cases) {
        std::vector<ManifestFile> files(c.doneAndTotal.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            files[i].extractDone = c.doneAndTotal[i].first;
            files[i].extractTotal = c.doneAndTotal[i].second;
        }
        EXPECT_EQ(ExtractionPercent(files), c.percent) << testing::PrintToString(c.doneAndTotal);
    }
}

}  // namespace
