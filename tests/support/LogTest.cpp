#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

#include "support/DebugOutput.h"
#include "support/Log.h"
#include "support/WideFormat.h"

namespace {

TEST(LogTest, FormatsPrefixTextAndLineBreak) {
    const LocalTime t{2024, 3, 5, 14, 7, 9, 42};
    EXPECT_EQ(FormatLogLine(L"下载完成 100%", t), "2024-03-05 14:07:09 042 - 下载完成 100%\r\n");
    EXPECT_EQ(FormatLogLine(L"", t), "2024-03-05 14:07:09 042 - \r\n");
    EXPECT_EQ(FormatLogLine(L"%d %s %%", t), "2024-03-05 14:07:09 042 - %d %s %%\r\n");
}

TEST(LogTest, EveryThreadsLineArrivesWholeInOneWrite) {
    std::mutex mutex;
    std::vector<std::string> seen;
    SetDebugOutputObserver([&](std::string_view text) {
        std::lock_guard lock(mutex);
        seen.emplace_back(text);
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 50; ++i) Log(WideFormat(L"thread %d line %d", t, i));
        });
    for (auto& thread : threads) thread.join();
    SetDebugOutputObserver(nullptr);

    ASSERT_EQ(seen.size(), 200u);
    for (const auto& line : seen) {
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        EXPECT_NE(line.find(" - thread "), std::string::npos) << line;
        EXPECT_EQ(line.find("\r\n"), line.size() - 2) << "two lines in one write: " << line;
    }
}

TEST(WideFormatTest, FormatsWideNumbersAndLongOutput) {
    EXPECT_EQ(WideFormat(L"%ls %d %lld %6.2lf %%", L"速度", 7, 1LL << 40, 3.14159),
              L"速度 7 1099511627776   3.14 %");
    const std::wstring longText(5000, L'x');
    EXPECT_EQ(WideFormat(L"[%ls]", longText.c_str()), L"[" + longText + L"]");
}

}  // namespace
