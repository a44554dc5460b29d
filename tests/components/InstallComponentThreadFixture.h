// What the component download worker's tests share: a loopback server for the installers, the
// machine's component download folder made clean, the worker's messages read back, and a clock
// sped up no further than a transfer's stall limit allows (tests/testing/FastClock.h).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/ComponentTable.h"
#include "components/InstallComponentThread.h"
#include "support/WizardMessages.h"
#include "tests/components/ComponentWorkerHarness.h"
#include "tests/testing/AcceptedInstaller.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempProgramData.h"
#include "tests/testing/TestHttpServer.h"

namespace larkholm::testing {

constexpr UINT kStarted = UM_COMPONENT_DOWNLOAD_STARTED;
constexpr UINT kProgress = UM_COMPONENT_DOWNLOAD_PROGRESS;
constexpr UINT kEnded = UM_COMPONENT_DOWNLOAD_ENDED;

const std::string kWicPath = "/software/wic_x86_chs.exe";
const std::string kDotNetPath = "/supplier/website/package/dotNetFx40_Full_x86_x64.exe";
const std::string kInstaller = AcceptedInstaller();

class InstallComponentThreadTest : public ::testing::Test {
protected:
    InstallComponentThreadTest() { worker.downloadDir = ComponentDownloadDirectory(); }

    void Queue(std::int32_t id, const std::string& path) { worker.tasks.Push({id, server.Url(path)}); }
    void Run() { RunJob(worker, window, kEnded); }

    // The messages of one component: its start, any number of rising progress samples ending in
    // 100 when it succeeded, and its end. Returns the index after them.
    std::size_t ExpectComponentMessages(const std::vector<Posted>& posted, std::size_t at, WPARAM id,
                                        bool succeeded) {
        EXPECT_EQ(posted.at(at++), (Posted{kStarted, id, 0}));
        LPARAM last = 0;
        for (; at < posted.size() && posted[at].message == kProgress; ++at) {
            EXPECT_EQ(posted[at].wParam, id);
            EXPECT_GE(posted[at].lParam, last);
            last = posted[at].lParam;
        }
        EXPECT_EQ(last, succeeded ? 100 : 0);
        EXPECT_EQ(posted.at(at++), (Posted{kEnded, id, 0}));
        return at;
    }

    FastClock fastClock{kSpeedUpForTransfers};
    TempProgramData programData;  // where the download folder is, clean for each test
    TestHttpServer server;
    RecordingWindow window;
    LogCapture log;
    InstallComponentThread worker;  // last: stopped before everything it uses goes away
};

}  // namespace larkholm::testing
