// Component detection on Windows reads the machine's own registry and system folder: these cases
// write the .NET key of the test machine through the registry API and remove it afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "components/ComponentDetection.h"
#include "components/ComponentTable.h"
#include "support/PathText.h"
#include "support/platform/WindowsView.h"
#include "tests/testing/DotNetKey.h"

namespace {

using larkholm::testing::DotNetKey;

TEST(ComponentDetectionWin32Test, DotNetVersionComesFromTheRegistry) {
    const struct {
        std::optional<std::wstring> version;
        bool installed;
    } cases[] = {
        {L"4.0.30319", true},
        {L"3.5.30729", false},
        {L"", false},
        {std::nullopt, false},
        {L"4." + std::wstring(61, L'1'), true},
        {L"4." + std::wstring(62, L'1'), false},
    };
    ASSERT_FALSE(IsDotNet4Installed()) << "the test machine already has .NET 4";
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.version.value_or(L"(no value)").size() << " units");
        DotNetKey key(c.version);
        EXPECT_EQ(IsDotNet4Installed(), c.installed);
    }
    EXPECT_FALSE(IsDotNet4Installed()) << "the key was removed";
}

TEST(ComponentDetectionWin32Test, WicIsTheSystemsOwnAndInstallersGoUnderProgramData) {
    // Every Windows the wizard supports ships WIC.
    EXPECT_TRUE(IsWicInstalled());
    const std::wstring appData = CommonAppDataFolder();
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(ComponentDownloadDirectory(), JoinPath(appData, L"Ostrelle"));
}

}  // namespace
