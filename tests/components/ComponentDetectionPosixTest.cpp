// Component detection through the Wine-prefix view of Windows: the .NET key in system.reg and
// WIC's DLL in drive c:'s system folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "components/ComponentDetection.h"
#include "components/ComponentTable.h"
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

TEST(ComponentDetectionTest, InstallersAreSavedIntoTheDownloadDirectory) {
    TempWinePrefix prefix;
    const std::wstring folder = ComponentDownloadDirectory();
    EXPECT_EQ(folder, std::filesystem::path(prefix.DriveC() + "/ProgramData/Ostrelle").wstring());
    EXPECT_EQ(InstallerPath(folder, DotNetInstallerUrl()),
              prefix.DriveC() + "/ProgramData/Ostrelle/dotNetFx40_Full_x86_x64.exe");
}

}  // namespace
