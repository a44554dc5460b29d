// The log of every run: its name, the five kept, and that the folder's other files are left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/RunLog.h"
#include "support/LogFile.h"
#include "support/TextConvert.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;

std::vector<std::string> Names(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RunLogTest, EachRunWritesANewFileAndTheNewestFiveAreKept) {
    TempDir temp;
    // Six older runs, and files that only look alike.
    for (const char* stamp : {"20230101-000000", "20240304-235959", "20240305-090000", "20240305-100000",
                              "20240305-110000", "20240305-120000"}) {
        temp.WriteFile(std::string("larkholm-setup-") + stamp + ".log", "old\r\n");
    }
    for (const char* other :
         {"larkholm-setup.log", "larkholm-setup-2024.log", "larkholm-setup-20240101-00000x.log", "notes.txt",
          "larkholm-setup-20200101-000000.log/inside"}) {
        temp.WriteFile(other, "keep");
    }

    const LocalTime now{2024, 3, 5, 14, 7, 9, 42};
    EXPECT_EQ(RunLogFileName(now), L"larkholm-setup-20240305-140709.log");
    const std::wstring path = StartRunLog(std::nullopt, AnsiToWide(temp.Path().string()), now);
    EXPECT_EQ(path, AnsiToWide((temp.Path() / "larkholm-setup-20240305-140709.log").string()));
    EXPECT_EQ(LogFilePath(), path);
    CopyToLogFile("first line\r\n");
    StopLogFile();
    EXPECT_TRUE(LogFilePath().empty());
    EXPECT_EQ(ReadFile(WideToAnsi(path)), "first line\r\n");

    EXPECT_EQ(
        Names(temp.Path()),
        (std::vector<std::string>{"larkholm-setup-20200101-000000.log", "larkholm-setup-2024.log",
                                  "larkholm-setup-20240101-00000x.log", "larkholm-setup-20240305-090000.log",
                                  "larkholm-setup-20240305-100000.log", "larkholm-setup-20240305-110000.log",
                                  "larkholm-setup-20240305-120000.log", "larkholm-setup-20240305-140709.log",
                                  "larkholm-setup.log", "notes.txt"}));
}

TEST(RunLogTest, TheFileAskedForIsUsedAsItIsAndNothingIsPruned) {
    TempDir temp;
    for (int i = 0; i < 7; ++i)
        temp.WriteFile("larkholm-setup-2024030" + std::to_string(i) + "-000000.log", "");
    const std::wstring asked = AnsiToWide(temp / "mine.log");
    EXPECT_EQ(StartRunLog(asked, AnsiToWide(temp.Path().string()), LocalTime{2024, 3, 9}), asked);
    StopLogFile();
    EXPECT_EQ(Names(temp.Path()).size(), 8u);

    // A file that cannot be opened leaves the run without one.
    EXPECT_EQ(StartRunLog(AnsiToWide(temp / "no-such-folder/x.log"), L"", LocalTime{}), L"");
    EXPECT_TRUE(LogFilePath().empty());
}

}  // namespace
