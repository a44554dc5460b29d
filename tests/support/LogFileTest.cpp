#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/DebugOutput.h"
#include "support/Log.h"
#include "support/LogFile.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/platform/FileSystemPath.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::LogCapture;
using larkholm::testing::TempDir;

// A log file with a Chinese name in a fresh folder: the wide text the wizard gets from its command
// line, and the same file as the test reads it.
struct ChineseLogFile {
    TempDir dir;
    const std::wstring wide = JoinPath(Utf8ToWide(Utf8FromPath(dir.Path())), L"安装 日志.log");
    const std::filesystem::path path = dir.Path() / std::filesystem::path(u8"安装 日志.log");

    std::string Read() const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

std::multiset<std::string> SortedLines(const std::string& text) {
    std::multiset<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.insert(line);
    return lines;
}

// Every text on the debugger output, the framework's untimed lines as much as Log's, reaches the
// file as the same UTF-8 bytes while the file stays open, so a crash loses nothing written before it.
TEST(LogFileTest, CopiesEveryLineAtOnceAfterWhatTheFileHeld) {
    ChineseLogFile log;
    std::ofstream(log.path, std::ios::binary) << "earlier run\r\n";
    LogCapture capture;
    ASSERT_TRUE(StartLogFile(log.wide));
    Log(L"下载完成 100%");
    DebugOutput("a framework line, untimed\n");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 25; ++i) Log(WideFormat(L"thread %d line %d", t, i));
        });
    for (auto& thread : threads) thread.join();

    const std::string written = log.Read();
    const std::string captured = capture.Text();
    StopLogFile();
    Log(L"after the file was closed");

    // The same lines as the debugger output got (threads may order them differently in the two),
    // after what the file held, each whole.
    ASSERT_EQ(written.rfind("earlier run\r\n", 0), 0u);
    EXPECT_EQ(SortedLines(written.substr(13)), SortedLines(captured));
    EXPECT_NE(written.find(" - 下载完成 100%\r\n"), std::string::npos);
    EXPECT_NE(written.find("\na framework line, untimed\n"), std::string::npos);
    std::istringstream lines(written);
    int threadLines = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("thread ") == std::string::npos) continue;
        ++threadLines;
        EXPECT_EQ(line.find(" - thread "), 23u) << "a line cut by another: " << line;
    }
    EXPECT_EQ(threadLines, 100);
    EXPECT_EQ(log.Read(), written);
}

TEST(LogFileTest, AnUnwritablePathIsReportedAndLoggingGoesOn) {
    TempDir dir;
    const std::wstring folder = Utf8ToWide(Utf8FromPath(dir.Path()));
    const std::wstring unwritable[] = {
        folder,                                            // a folder, not a file
        JoinPath(JoinPath(folder, L"missing"), L"x.log"),  // in a folder that does not exist
    };
    for (const std::wstring& path : unwritable) {
        LogCapture capture;
        EXPECT_FALSE(StartLogFile(path));
        EXPECT_EQ(capture.Containing(WideToUtf8(L"Log file " + path + L" cannot be written")).size(), 1u)
            << capture.Text();
        Log(L"still logging");
        EXPECT_EQ(capture.Count("still logging"), 1u);
    }
    StopLogFile();
}

}  // namespace
