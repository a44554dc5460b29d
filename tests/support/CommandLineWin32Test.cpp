#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/TextConvert.h"
#include "support/platform/CommandLine.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;

constexpr char kEchoFile[] = "LARKHOLM_ARGUMENTS_FILE";
constexpr wchar_t kChineseLog[] = L"/LOG=C:\\日志\\安装 日志.log";

// Run by the test below in a child process: writes what ProgramArguments read there, one argument
// a line, as UTF-8.
TEST(CommandLineWin32Test, DISABLED_EchoArguments) {
    const char* file = std::getenv(kEchoFile);
    if (file == nullptr) GTEST_SKIP();
    std::string lines;
    for (const std::wstring& argument : ProgramArguments(0, nullptr)) lines += WideToUtf8(argument) + "\n";
    std::ofstream(file, std::ios::binary) << lines;
}

// main's narrow argv has been through the ANSI code page, which cannot spell a Chinese path unless
// the system is Chinese; the arguments come whole from the wide command line instead.
TEST(CommandLineWin32Test, AnArgumentOutsideTheAnsiCodePageArrivesWhole) {
    TempDir dir;
    const std::string echo = dir / "arguments.txt";
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring commandLine = std::wstring(L"\"") + self +
                               L"\" --gtest_filter=CommandLineWin32Test.DISABLED_EchoArguments "
                               L"--gtest_also_run_disabled_tests \"" +
                               kChineseLog + L"\" /log";
    ::SetEnvironmentVariableA(kEchoFile, echo.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                          nullptr, &startup, &process);
    ::SetEnvironmentVariableA(kEchoFile, nullptr);
    ASSERT_TRUE(started) << ::GetLastError();
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    EXPECT_EQ(ReadFile(echo),
              "--gtest_filter=CommandLineWin32Test.DISABLED_EchoArguments\n"
              "--gtest_also_run_disabled_tests\n" +
                  WideToUtf8(kChineseLog) + "\n/log\n");
}

}  // namespace
