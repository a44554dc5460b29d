#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "components/ComponentDetection.h"
#include "components/ComponentTable.h"
#include "components/SetupComponentThread.h"
#include "support/WizardMessages.h"
#include "support/platform/Sha256.h"
#include "tests/components/ComponentWorkerHarness.h"
#include "tests/testing/Environment.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/InstallerScripts.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempWinePrefix.h"

namespace {

using namespace larkholm::testing;

constexpr UINT kStarted = UM_COMPONENT_SETUP_STARTED;
constexpr UINT kEnded = UM_COMPONENT_SETUP_ENDED;

struct Installer {
    std::int32_t id;
    std::optional<std::string> script;  // nullopt: no file at the path
    bool emptyPath = false;
};

struct Outcome {
    std::int32_t setupStatus;
    std::vector<Posted> posted;
};

// Runs the setup job over the installers in a Wine prefix the caller provides.
Outcome RunInstallers(const std::vector<Installer>& installers) {
    FastClock fastClock;
    TempDir downloads;
    RecordingWindow window;
    SetupComponentThread worker;
    for (std::size_t i = 0; i < installers.size(); ++i) {
        const std::string name = "installer" + std::to_string(i);
        if (installers[i].script) downloads.WriteFile(name, *installers[i].script);
        worker.tasks.Push({installers[i].id, installers[i].emptyPath ? "" : downloads / name});
    }
    RunJob(worker, window, kEnded);
    return {worker.setupStatus, window.Posts()};
}

TEST(SetupComponentThreadTest, StatusOfOneInstaller) {
    const struct {
        const char* what;
        Installer installer;
        std::int32_t status;
    } cases[] = {
        {"installs WIC", {kComponentWic, kInstallsWic}, 0},
        {"installs .NET", {kComponentDotNet4, kInstallsDotNet}, 0},
        {"runs but installs nothing", {kComponentWic, kInstallsNothing}, SetupComponentThread::kNotInstalled},
        {"cannot start", {kComponentDotNet4, std::nullopt}, ENOENT},
        {"empty path", {kComponentWic, std::nullopt, true}, SetupComponentThread::kNotInstalled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempWinePrefix prefix;
        const Outcome outcome = RunInstallers({c.installer});
        EXPECT_EQ(outcome.setupStatus, c.status);
        EXPECT_EQ(outcome.posted,
                  (std::vector<Posted>{{kStarted, WPARAM(c.installer.id), 0}, {kEnded, 0, 0}}));
    }
}

TEST(SetupComponentThreadTest, FailedInstallerIsNotHiddenByALaterSuccess) {
    TempWinePrefix prefix;
    const Outcome outcome =
        RunInstallers({{kComponentWic, kInstallsNothing}, {kComponentDotNet4, kInstallsDotNet}});
    EXPECT_EQ(outcome.setupStatus, SetupComponentThread::kNotInstalled);
    EXPECT_EQ(outcome.posted,
              (std::vector<Posted>{
                  {kStarted, kComponentWic, 0}, {kStarted, kComponentDotNet4, 0}, {kEnded, 0, 0}}));
    EXPECT_TRUE(IsDotNet4Installed());  // the later installer still ran
    EXPECT_FALSE(IsWicInstalled());
}

// The pin is judged again right before the start, on the file as it is then: an installer changed
// after its download is deleted and never runs.
TEST(SetupComponentThreadTest, AnInstallerIsProvenAgainRightBeforeItStarts) {
    for (const bool changed : {false, true}) {
        SCOPED_TRACE(changed ? "changed after the download" : "as downloaded");
        TempWinePrefix prefix;
        TempDir downloads;
        const std::string startMark = downloads / "started";
        const std::string installer = kInstallsWic + "touch \"" + startMark + "\"\n";
        Sha256 digest;
        digest.Update(installer.data(), installer.size());
        const ScopedEnv pinned("LARKHOLM_WIC_SHA256", digest.HexDigest());
        const std::string path =
            downloads.WriteFile("wic.exe", changed ? installer + "# planted\n" : installer);
        RecordingWindow window;
        SetupComponentThread worker;
        worker.tasks.Push({kComponentWic, path});
        RunJob(worker, window, kEnded);
        EXPECT_EQ(worker.setupStatus, changed ? SetupComponentThread::kNotInstalled : 0);
        EXPECT_EQ(std::filesystem::exists(startMark), !changed);
        EXPECT_EQ(std::filesystem::exists(path), !changed);
    }
}

TEST(SetupComponentThreadTest, QuitDoesNotWaitForARunningInstaller) {
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
