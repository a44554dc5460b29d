// The table of item names our operators' packages carry, each installed by the package extraction
// from an archive Info-ZIP zip made at build time (fixtures/make-name-archives.sh) into an install
// folder with a Chinese name. Each case installs exactly what unzip extracts, or, where the system
// cannot hold the name, fails with "Couldn't create/open file" and leaves no install folder behind.
// The Windows suites run this table under several system locales (tests/install/CMakeLists.txt):
// no name may depend on the ANSI code page.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "install/ExtractPackage.h"
#include "install/ZipResult.h"
#include "support/TextConvert.h"
#include "support/Thread.h"
#include "support/platform/FileSystemPath.h"
#include "tests/install/ArchiveTree.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace larkholm::testing;

std::wstring WideOf(const fs::path& path) {
    return Utf8ToWide(Utf8FromPath(path));
}

TEST(ItemNamesTest, EachNameInstallsAsUnzipExtractsItOrFailsWithNothingLeft) {
    const std::string longName = [] {
        std::string name;
        for (int i = 0; i < 200; ++i) name += "长";
        return name + ".txt";
    }();
    // A name of 200 Chinese characters is 200 UTF-16 units on Windows (NTFS holds 255) but 600 bytes
    // of UTF-8 on Linux, and under Wine, which names Unix files in UTF-8 (ext4 holds 255 bytes): it
    // installs where the file system holds it, and must fail whole where it does not.
    enum Outcome { kInstalls, kFails, kInstallsWhereStorable };
    const struct {
        const char* fixture;
        Outcome outcome;
        const char* onlyFile;  // for an archive whose name no reference extraction could hold
    } cases[] = {
        {"chinese", kInstalls, nullptr},  // 配置.ini, 数据/说明.txt: simplified, lacking from code page 950
        {"extension-b", kInstalls, nullptr},  // 𠀀.txt: beyond code page 936, a surrogate pair in UTF-16
        {"emoji", kInstalls, nullptr},        // 🍺.txt
        {"kana", kInstalls, nullptr},         // かな.txt
        {"latin", kInstalls, nullptr},        // café.txt: lacking from code pages 936 and 950
        {"long-name", kInstallsWhereStorable, longName.c_str()},
        {"long-path", kFails, nullptr},  // 4 folders of 80 characters: longer than any item name may be
    };
    FastClock fastClock;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        TempDir scratch;
        Thread worker;  // never started: it only provides the pauses and the stop request
        const fs::path installDir = scratch.Path() / PathFromUtf8("酒店软件");
        InstallJob job;
        job.downloadDir = WideOf(fs::absolute(fs::path(LARKHOLM_NAME_ARCHIVE_DIR) / c.fixture));
        job.installDir = WideOf(installDir);
        ManifestFile package;
        package.name = "assist.zip";
        job.files = {package};

        const bool installed = ExtractPackage(job, worker);
        if (c.outcome != kInstallsWhereStorable) {
            EXPECT_EQ(installed, c.outcome == kInstalls) << job.error;
        }
        if (!installed) {
            EXPECT_EQ(job.error, std::int32_t(kZipCannotOpen));
            EXPECT_FALSE(fs::exists(installDir));
        } else if (c.onlyFile != nullptr) {
            const fs::path file = installDir / "assist" / PathFromUtf8(c.onlyFile);
            EXPECT_EQ(ReadFile(file), std::string(c.onlyFile) + "\n");
            EXPECT_EQ(std::distance(fs::directory_iterator(installDir / "assist"), fs::directory_iterator()),
                      1);
        } else {
            ExpectSameTree(fs::path(LARKHOLM_NAME_ARCHIVE_DIR) / c.fixture / "assist.ref",
                           installDir / "assist");
        }
    }
}

}  // namespace
