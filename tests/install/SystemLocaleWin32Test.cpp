// The table of item names runs again under several system locales; this case proves that each run
// has the ANSI code page its locale should give, so a locale Wine did not take cannot pass unseen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(SystemLocaleTest, TheCodePageIsTheOneTheLocaleChooses) {
    const char* expected = std::getenv("LARKHOLM_EXPECTED_CODE_PAGE");
    if (expected == nullptr) GTEST_SKIP() << "run under the system's own locale";
    EXPECT_EQ(std::to_string(::GetACP()), expected);
}

}  // namespace
