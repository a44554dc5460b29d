#include "support/platform/WindowsView.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TextConvert.h"
#include "tests/testing/TempWinePrefix.h"

namespace {

using larkholm::testing::TempWinePrefix;

TEST(WindowsViewTest, MapsDrivePathsIntoThePrefixWithoutRegardToCase) {
    TempWinePrefix prefix;
    prefix.InstallWic();
    const std::string driveC = std::filesystem::canonical(prefix.DriveC()).string();
    EXPECT_EQ(MapWindowsPath("c:\\windows\\system32\\WindowsCodecs.dll"),
              driveC + "/windows/system32/windowscodecs.dll");
    EXPECT_EQ(MapWindowsPath("C:/WINDOWS/System32/missing.dll"), driveC + "/windows/system32/missing.dll");
    // No dosdevices entry for d: falls back to drive_d.
    EXPECT_EQ(MapWindowsPath("d:\\x"), prefix.Root() + "/drive_d/x");
    EXPECT_EQ(MapWindowsPath("/already/native"), "/already/native");
}

TEST(WindowsViewTest, ShellFoldersLiveOnDriveC) {
    TempWinePrefix prefix;
    const std::string driveC = std::filesystem::canonical(prefix.DriveC()).string();
    EXPECT_EQ(ProgramFilesFolder(), Utf8ToWide(driveC + "/Program Files"));
    EXPECT_EQ(CommonAppDataFolder(), Utf8ToWide(driveC + "/ProgramData"));
}

TEST(WindowsViewTest, ShellFoldersAreEmptyWithoutAPrefix) {
    TempWinePrefix prefix;
    ::setenv("WINEPREFIX", (prefix.Root() + "/nowhere").c_str(), 1);
    EXPECT_EQ(ProgramFilesFolder(), L"");
    EXPECT_EQ(CommonAppDataFolder(), L"");
}

TEST(WindowsViewTest, ReadsMachineKeysWithTheWow64Fallback) {
    TempWinePrefix prefix;
    const std::wstring client = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client";
    EXPECT_FALSE(HklmKeyExists(client));
    EXPECT_EQ(ReadHklmString(client, L"Version"), std::nullopt);

    prefix.AppendRegistry("[Software\\\\Wow6432Node\\\\Vendor\\\\App] 1\n\"Path\"=\"C:\\\\App\"\n");
    EXPECT_EQ(ReadHklmString(L"Software\\Vendor\\App", L"Path"), L"C:\\App");

    prefix.SetDotNetVersion("4.0.30319");
    EXPECT_TRUE(HklmKeyExists(client));
    EXPECT_EQ(ReadHklmString(client, L"Version"), L"4.0.30319");
}

}  // namespace
