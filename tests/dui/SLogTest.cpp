// The framework's log lines: formatted, cut to 2048 characters, one write per line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/include/core/SLog.h"
#include "support/DebugOutput.h"

namespace {

TEST(SLogTest, FormatsOneLineAndCutsLongMessagesAt2048Characters) {
    std::vector<std::string> lines;
    SetDebugOutputObserver([&](std::string_view text) { lines.emplace_back(text); });
    const std::wstring longText(5000, L'x');
    SLogFormat(SLogLevel::kWarning, L"test", __LINE__, L"%ls %d", L"short", 42);
    SLogFormat(SLogLevel::kWarning, L"test", __LINE__, L"[%ls]", longText.c_str());
    SetDebugOutputObserver(nullptr);

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "short 42\n");
    EXPECT_EQ(lines[1], "[" + std::string(2047, 'x') + "\n");
}

}  // namespace
