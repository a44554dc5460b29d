#include <windows.h>
// <windows.h> stays first; what follows may need what it defines.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TextConvert.h"
#include "support/platform/ComApartment.h"
#include "support/platform/Process.h"
#include "tests/testing/AcceptedInstaller.h"
#include "tests/testing/Environment.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

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

// An installer's own folder may hold files nobody vouched for; it starts in the system folder.
TEST(ProcessWin32Test, AProgramStartsInTheSystemFolder) {
    TempDir dir;
    const std::string out = dir / "cd.txt";
    ASSERT_EQ(RunProgram(SystemProgram("cmd.exe"), "/c cd> \"" + out + "\"", true), 0u);
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    EXPECT_EQ(ReadFile(out), std::string(folder) + "\r\n");
}

// A link goes to the desktop shell, to open with the signed-in user's rights; where there is none
// the link still opens, with this process's rights, and the answer says so. The demo installer
// records its start where this process's environment says (a start through the desktop shell gets
// the shell's environment instead).
TEST(ProcessWin32Test, ALinkOpensThroughTheDesktopShellOrSaysSo) {
    const ComApartment apartment;
    TempDir dir;
    const ScopedEnv startLog("LARKHOLM_DEMO_START_LOG", dir / "starts.txt");
    const LinkOpening opening = OpenLink(Utf8ToWide(SignedProgram("signed.exe")));
    std::printf("OpenLink: %s\n", opening == LinkOpening::AsSignedInUser  ? "through the desktop shell"
                                  : opening == LinkOpening::AsThisProcess ? "with this process's rights"
                                                                          : "failed");
    ASSERT_NE(opening, LinkOpening::Failed);
    if (opening == LinkOpening::AsThisProcess) {
        EXPECT_TRUE(Eventually([&] { return std::filesystem::exists(dir / "starts.txt"); }));
    }
}

TEST(ProcessWin32Test, ShellOpenOfAMissingFileFails) {
    TempDir dir;
    EXPECT_FALSE(ShellOpen((dir.Path() / "missing.exe").wstring()));
}

}  // namespace
