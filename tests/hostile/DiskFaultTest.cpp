// Disk faults during an installation run: an install folder or download folder that can't be
// written, a download folder too small for the package, and an install folder on a tiny file
// system, which a zip bomb would overflow or which fills up during extraction. Each run must fail with its
// code and leave no install directory behind. Small and read-only file systems are tmpfs mounts, which need
// root; without root the tests that need one are skipped.
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "install/ZipResult.h"
#include "tests/hostile/InstallRunHarness.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::MakePackage;
using larkholm::testing::PackageItem;
using larkholm::testing::ReadFile;
using larkholm::testing::TmpfsMount;

// An empty folder nobody may write to: by its permissions, or, for root, whom permissions don't
// stop, by a read-only mount over it.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const fs::path& folder) {
        fs::create_directories(folder);
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        if (!std::ofstream(folder / "probe")) {
            usable = true;
            return;
        }
        fs::remove(folder / "probe");
        fs::permissions(folder, fs::perms::owner_all);
        mount = std::make_unique<TmpfsMount>(folder, "ro");
        usable = mount->Mounted();
    }

    bool Usable() const { return usable; }

private:
    std::unique_ptr<TmpfsMount> mount;
    bool usable = false;
};

class DiskFaultTest : public larkholm::testing::InstallRunHarness {
protected:
    // Runs an installation of a package holding `items` into `installDir`; returns `error`.
    std::int32_t Install(const std::vector<PackageItem>& items, const fs::path& installDir) {
        const std::string archive = scratch / "assist.zip";
        EXPECT_TRUE(MakePackage(scratch, archive, items));
        ServeRun(ReadFile(archive));
        DownLoadThread worker;
        RunToEnd(worker, installDir);
        return worker.error;
    }

    const std::vector<PackageItem> program = {{"assist/", ""}, {"assist/assist.exe", "MZ"}};
};

TEST_F(DiskFaultTest, AnUnwritableInstallFolderFailsTheExtraction) {
    const fs::path folder = scratch.Path() / "locked";
    UnwritableFolder locked(folder);
    if (!locked.Usable()) GTEST_SKIP() << "no way to make a folder unwritable here";
    EXPECT_EQ(Install(program, folder / "Apps"), -4);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(DiskFaultTest, AnUnwritableDownloadFolderFailsEveryAttempt) {
    UnwritableFolder locked(DownloadDir());
    if (!locked.Usable()) GTEST_SKIP() << "no way to make a folder unwritable here";
    EXPECT_EQ(Install(program, scratch.Path() / "Apps"), -3);
    EXPECT_EQ(log.Count("文件不能打开"), std::size_t(DownLoadThread::kMaxAttempts));
    EXPECT_FALSE(fs::exists(scratch.Path() / "Apps"));
}

// Every attempt writes part of the package and then finds the disk full: the digest never matches.
TEST_F(DiskFaultTest, ADownloadFolderTooSmallForThePackage) {
    TmpfsMount tiny(DownloadDir(), "size=64k");
    if (!tiny.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    std::mt19937 random(5);
    std::string noise(300 * 1024, '\0');
    for (char& byte : noise) byte = char(random());  // doesn't compress: the package stays this large
    EXPECT_EQ(Install({{"noise.bin", noise}}, scratch.Path() / "Apps"), -3);
    EXPECT_EQ(log.Count("文件hash值不匹配"), std::size_t(DownLoadThread::kMaxAttempts));
    EXPECT_FALSE(fs::exists(scratch.Path() / "Apps"));
}

// A package far larger than the disk it goes to, though small itself, is refused before its first
// item is written.
TEST_F(DiskFaultTest, APackageLargerThanTheDiskIsRefusedUpFront) {
    const fs::path disk = scratch.Path() / "disk";
    TmpfsMount tiny(disk, "size=1m");
    if (!tiny.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    EXPECT_EQ(
        Install({{"readme.txt", "small"}, {"zeros.bin", std::string(32 * 1024 * 1024, '\0')}}, disk / "Apps"),
        std::int32_t(kZipWriteFailed));
    EXPECT_EQ(log.Count("Unzip file. file:"), 0u);
    EXPECT_TRUE(fs::is_empty(disk));
}

// Small files take a whole page each on tmpfs, so their few declared bytes fit while the files
// don't: the disk fills up half way through.
TEST_F(DiskFaultTest, ADiskThatFillsUpDuringExtraction) {
    const fs::path disk = scratch.Path() / "disk";
    TmpfsMount tiny(disk, "size=256k");
    if (!tiny.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
    std::vector<PackageItem> items;
    for (int i = 0; i < 200; ++i) items.push_back({"file" + std::to_string(i) + ".txt", "ten bytes\n"});
    EXPECT_EQ(Install(items, disk / "Apps"), std::int32_t(kZipWriteFailed));
    EXPECT_GT(log.Count("Unzip file. file:"), 0u);
    EXPECT_TRUE(fs::is_empty(disk));
}

}  // namespace
