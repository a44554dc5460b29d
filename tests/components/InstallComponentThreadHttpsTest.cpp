// The component download worker over https, on both platforms: an installer from a server the
// system trusts for 127.0.0.1 arrives; one from a server with another host's certificate, or from
// an unknown authority, fails every attempt, each logged with its host and libcurl's code.
#include <gtest/gtest.h>

#include <string>

#include "tests/components/InstallComponentThreadFixture.h"
#include "tests/testing/HttpsFront.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TestCertificates.h"

namespace {

using namespace larkholm::testing;

TEST_F(InstallComponentThreadTest, AnInstallerOverHttpsComesOnlyFromATrustedServer) {
    struct Case {
        const char* certificate;
        bool delivered;
    };
    const Case cases[] = {{"server", true}, {"wrong-host", false}, {"stranger", false}};
    const TestCertificates certificates;
    server.ServeBytes(kWicPath, kInstaller);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.certificate);
        const HttpsFront front(c.certificate, server.Port());
        const std::string url = front.Url(kWicPath);
        const int gets = server.GetCount(kWicPath);
        const std::size_t failures = log.Count("Transfer failed: host 127.0.0.1, curl error 60 (");
        RecordingWindow caseWindow;
        InstallComponentThread caseWorker;  // after its window: stopped before the window goes
        caseWorker.downloadDir = worker.downloadDir;
        caseWorker.tasks.Push({kComponentWic, url});
        RunJob(caseWorker, caseWindow, kEnded);
        if (c.delivered) {
            EXPECT_EQ(caseWorker.downloadStatus, 0);
            EXPECT_TRUE(ReadFile(InstallerPath(caseWorker.downloadDir, url)) == kInstaller);
        } else {
            EXPECT_EQ(caseWorker.downloadStatus, InstallComponentThread::kDownloadFailed);
            EXPECT_EQ(server.GetCount(kWicPath), gets);  // no request reached the server
        }
        EXPECT_EQ(log.Count("Transfer failed: host 127.0.0.1, curl error 60 ("),
                  failures + (c.delivered ? 0 : InstallComponentThread::kMaxAttempts))
            << log.Text();
    }
}

}  // namespace
