#include <windows.h>
// <windows.h> stays first; what follows may need what it defines.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "components/ComponentTable.h"
#include "components/SetupComponentThread.h"
#include "tests/testing/AcceptedInstaller.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

constexpr char kStandInPidFile[] = "LARKHOLM_STAND_IN_PID_FILE";

// This test program stands in for an installer that is still running: started with the
// environment StandInEnvironment sets, it runs only this test, which records its process id and
// then waits a minute.
TEST(SetupComponentThreadWin32Test, DISABLED_StandInInstaller) {
    const char* pidFile = std::getenv(kStandInPidFile);
    if (pidFile == nullptr) GTEST_SKIP();
    const std::string part = std::string(pidFile) + ".part";
    std::ofstream(part) << ::GetCurrentProcessId();
    ::MoveFileA(part.c_str(), pidFile);
    ::Sleep(60000);
}

// Sets what a child started from this process needs to act as the stand-in, for the scope.
class StandInEnvironment {
public:
    explicit StandInEnvironment(const std::string& pidFile) {
        ::SetEnvironmentVariableA("GTEST_FILTER", "SetupComponentThreadWin32Test.DISABLED_StandInInstaller");
        ::SetEnvironmentVariableA("GTEST_ALSO_RUN_DISABLED_TESTS", "1");
        ::SetEnvironmentVariableA(kStandInPidFile, pidFile.c_str());
    }
    ~StandInEnvironment() {
        for (const char* name : {"GTEST_FILTER", "GTEST_ALSO_RUN_DISABLED_TESTS", kStandInPidFile})
            ::SetEnvironmentVariableA(name, nullptr);
    }
};

// The process id the stand-in recorded; 0 while there is none to read yet. Under Wine the renamed
// file has been seen empty for a moment on a busy machine, so the test waits for the number itself.
DWORD RecordedProcessId(const std::string& pidFile) {
    std::ifstream in(pidFile);
    unsigned long id = 0;
    return in >> id ? DWORD(id) : 0;
}

TEST(SetupComponentThreadWin32Test, QuitDoesNotWaitForARunningInstaller) {
    TempDir dir;
    const std::string pidFile = dir / "installer.pid";
    // This suite, signed as the installers must be, stands in for the installer.
    const std::string self = SignedProgram("components_tests.signed.exe");
    RecordingWindow window;
    DWORD installer = 0;
    {
        SetupComponentThread worker;
        {
            const StandInEnvironment standIn(pidFile);
            worker.tasks.Push({kComponentWic, self});
            worker.notifyWindow = window.handle;
            ASSERT_TRUE(worker.Start(&SetupComponentThread::Job, &worker));
            worker.Trigger();
            ASSERT_TRUE(Eventually([&] { return (installer = RecordedProcessId(pidFile)) != 0; }));
        }
    }  // the window closes: the worker is stopped and joined while the installer still runs
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, installer);
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(::WaitForSingleObject(process, 0), DWORD(WAIT_TIMEOUT))
        << "the installer should carry on by itself";
    ::TerminateProcess(process, 0);
    ::CloseHandle(process);
}

}  // namespace
