#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
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

// Unquoted, "C:\...\with blank\setup.exe" would first be tried as "C:\...\with.exe".
TEST(ProcessWin32Test, APathWithABlankStartsThatProgramAndNoPrefixOfIt) {
    TempDir dir;
    dir.WriteFile("with.exe", "not a program");
    char self[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::filesystem::create_directories(dir.Path() / "with blank");
    const std::string program = (dir.Path() / "with blank" / "setup.exe").string();
    ASSERT_TRUE(::CopyFileA(self, program.c_str(), TRUE));
    EXPECT_EQ(RunProgram(program, "--gtest_list_tests", true), 0u);  // this suite only lists its cases
}

TEST(ProcessWin32Test, ShellOpenOfAMissingFileFails) {
    TempDir dir;
    EXPECT_FALSE(ShellOpen((dir.Path() / "missing.exe").wstring()));
}

}  // namespace
