// The zone is steered through TZ, which the C library reads again at every tzset() on Linux; the
// Windows C runtime keeps the zone's summer-time rules from its first conversion, so the same test
// there would depend on which test converted a time first.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "install/ZipEntryInfo.h"
#include "tests/testing/Environment.h"

namespace {

// DOS times are local: the conversion must honour the zone's summer time on the item's date.
TEST(ZipEntryInfoTest, DosTimeIsLocalTimeOfItsDate) {
    const char* saved = std::getenv("TZ");
    const std::optional<std::string> previous = saved ? std::optional<std::string>(saved) : std::nullopt;
    larkholm::testing::SetEnv("TZ", "EST5EDT,M3.2.0,M11.1.0");
    ::tzset();
    EXPECT_EQ(DosTimeToFileTime(0x52ef6daf), UnixTimeToFileTime(1626371130));  // 2021-07-15 13:45:30 EDT
    EXPECT_EQ(DosTimeToFileTime(0x522f6daf), UnixTimeToFileTime(1610736330));  // 2021-01-15 13:45:30 EST
    if (previous)
        larkholm::testing::SetEnv("TZ", previous->c_str());
    else
        larkholm::testing::UnsetEnv("TZ");
    ::tzset();
    EXPECT_EQ(UnixTimeToFileTime(0), 116444736000000000u);
}

}  // namespace
