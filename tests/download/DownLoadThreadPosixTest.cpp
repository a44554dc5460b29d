// The Linux view of Windows: the Wine prefix the download folder is found in.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TextConvert.h"
#include "tests/download/DownLoadThreadFixture.h"
#include "tests/install/InstallRunFixtures.h"
#include "tests/testing/Environment.h"
#include "tests/testing/TempWinePrefix.h"

namespace {

namespace fs = std::filesystem;
using namespace larkholm::testing;

// An operator's account or a Wine prefix named in Chinese: the download and install folders are
// converted like every other path, never handed to the library as wide text.
TEST_F(DownLoadThreadTest, FoldersWithChineseNamesWork) {
    TempDir named;
    const fs::path chinesePrefix = named.Path() / "门店服务器";
    TempWinePrefix shaped;  // puts the fixture's prefix back when the test ends
    fs::copy(shaped.Root(), chinesePrefix, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    SetEnv("WINEPREFIX", chinesePrefix.c_str());
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
