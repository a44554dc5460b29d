#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <string>

#include "components/ComponentTable.h"
#include "components/SetupComponentThread.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempWinePrefix.h"

namespace {

using namespace larkholm::testing;

TEST(SetupComponentThreadPosixTest, QuitDoesNotWaitForARunningInstaller) {
    TempWinePrefix prefix;
    TempDir downloads;
    const std::string pidFile = downloads / "installer.pid";
    downloads.WriteFile("installer", "#!/bin/sh\necho $$ > \"" + pidFile + ".part\"\nmv \"" + pidFile +
                                         ".part\" \"" + pidFile + "\"\nexec sleep 60\n");
    RecordingWindow window;
    pid_t installer = 0;
    {
        SetupComponentThread worker;
        worker.tasks.Push({kComponentWic, downloads / "installer"});
        worker.notifyWindow = window.handle;
        ASSERT_TRUE(worker.Start(&SetupComponentThread::Job, &worker));
        worker.Trigger();
        ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(pidFile); }));
        installer = std::stoi(ReadFile(pidFile));
    }  // the window closes: the worker is stopped and joined while the installer still runs
    EXPECT_EQ(::kill(installer, 0), 0) << "the installer should carry on by itself";
    ::kill(installer, SIGKILL);
}

}  // namespace
