#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/platform/Process.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::TempDir;

std::string SystemProgram(const char* name) {
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

TEST(ProcessWin32Test, AProgramThatCannotStartGivesTheSystemErrorCode) {
    TempDir dir;
    EXPECT_EQ(RunProgram(dir / "missing.exe", "", true), std::uint32_t(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(RunProgram(dir / "missing.exe", "", false), std::uint32_t(ERROR_FILE_NOT_FOUND));
}

TEST(ProcessWin32Test, WaitsForTheProgramWithoutReadingItsExitCode) {
    TempDir dir;
    const std::string marker = dir / "ran.txt";
    EXPECT_EQ(RunProgram(SystemProgram("cmd.exe"), "/c echo ran> \"" + marker + "\" & exit 7", true), 0u);
    EXPECT_TRUE(std::filesystem::exists(marker));  // the wait ended with the program, not before
}

TEST(ProcessWin32Test, ShellOpenOfAMissingFileFails) {
    TempDir dir;
    EXPECT_FALSE(ShellOpen((dir.Path() / "missing.exe").wstring()));
}

}  // namespace
