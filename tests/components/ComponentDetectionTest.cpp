#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "components/ComponentDetection.h"
#include "components/ComponentTable.h"
#include "components/FileNameFromPath.h"
#include "support/Config.h"
#include "tests/testing/TempWinePrefix.h"

namespace {

using larkholm::testing::TempWinePrefix;

TEST(ComponentDetectionTest, DotNetVersionDecidesByItsLeadingNumber) {
    const struct {
        std::optional<std::string> version;  // nullopt: the key without a "Version" value
        bool installed;
    } cases[] = {
        {"4.0.30319", true},
        {"3.5.30729", false},
        {"10", true},
        {"", false},
        {"v4.0", false},
        {" 4.5", true},  // leading blanks are skipped
        {std::nullopt, false},
        {"4." + std::string(61, '1'), true},   // 63 characters and the terminator fill the buffer
        {"4." + std::string(62, '1'), false},  // one more does not fit: read as a failure
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version.value_or("(no value)"));
        TempWinePrefix prefix;
        prefix.SetDotNetVersion(c.version);
        EXPECT_EQ(IsDotNet4Installed(), c.installed);
    }
    TempWinePrefix withoutKey;
    EXPECT_FALSE(IsDotNet4Installed());
}

TEST(ComponentDetectionTest, WicCountsOnlyOnDriveC) {
    TempWinePrefix prefix;
    EXPECT_FALSE(IsWicInstalled());
    std::filesystem::create_directories(prefix.Root() + "/drive_d/windows/system32");
    std::ofstream(prefix.Root() + "/drive_d/windows/system32/WindowsCodecs.dll") << "MZ";
    EXPECT_FALSE(IsWicInstalled());
    prefix.InstallWic();
    EXPECT_TRUE(IsWicInstalled());
}

TEST(ComponentDetectionTest, FileNameFromPath) {
    const struct {
        std::string text;
        std::string withExtension;
        std::string withoutExtension;
    } cases[] = {
        {"http://h/software/wic_x86_chs.exe", "wic_x86_chs.exe", "wic_x86_chs"},
        {"http://h/a.b/archive.tar.gz", "archive.tar.gz", "archive.tar"},
        {"C:\\dir\\setup.exe", "C:\\dir\\setup.exe", "C:\\dir\\setup"},  // only "/" separates
        {"http://h/setup.exe?v=2", "", ""},                              // the extension must end the text
        {"http://h/a.b/setup", "", ""},
        {"http://h/p/.exe", ".exe", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameFromPath(c.text, true), c.withExtension) << c.text;
        EXPECT_EQ(FileNameFromPath(c.text, false), c.withoutExtension) << c.text;
    }
}

TEST(ComponentDetectionTest, TableQueuesWicFirstAndSavesIntoTheDownloadDirectory) {
    const auto table = ComponentTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].id, kComponentWic);
    EXPECT_EQ(table[0].installerUrl, WicInstallerUrl());
    EXPECT_EQ(table[0].isInstalled, &IsWicInstalled);
    EXPECT_EQ(table[1].id, kComponentDotNet4);
    EXPECT_EQ(table[1].installerUrl, DotNetInstallerUrl());
    EXPECT_EQ(table[1].isInstalled, &IsDotNet4Installed);
    EXPECT_EQ(FindComponent(table, 3), nullptr);

    TempWinePrefix prefix;
    const std::wstring folder = ComponentDownloadDirectory();
    EXPECT_EQ(folder, std::filesystem::path(prefix.DriveC() + "/ProgramData/Ostrelle").wstring());
    EXPECT_EQ(InstallerPath(folder, DotNetInstallerUrl()),
              prefix.DriveC() + "/ProgramData/Ostrelle/dotNetFx40_Full_x86_x64.exe");
}

}  // namespace
