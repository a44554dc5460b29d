// The download worker over https, on both platforms: the service, the manifest and the files come
// from a server the system trusts for 127.0.0.1; a file whose server holds another host's
// certificate, or one from an unknown authority, is a transfer error like any other (retried,
// then the run stops), logged with its host and libcurl's code.
#include <gtest/gtest.h>

#include <string>

#include "tests/download/DownLoadThreadFixture.h"
#include "tests/testing/Environment.h"
#include "tests/testing/HttpsFront.h"
#include "tests/testing/TestCertificates.h"

namespace {

using namespace larkholm::testing;

TEST_F(DownLoadThreadTest, AnHttpsRunFromATrustedServerDownloadsEveryFile) {
    const TestCertificates certificates;
    const HttpsFront front("server", server.Port());
    SetEnv("LARKHOLM_SERVICE_URL", front.Url("/admin").c_str());
    const std::string data = Content(1'500'000, 4);
    Entry entry = ServeFile("data.bin", data);
    entry.downUrl = front.Url("/files/1.bin");
    server.ServeJson(kSetupPath, SetupReply(front.Url("/manifest")));
    server.ServeJson("/manifest", ManifestReply({entry}));

    RunToEnd();
    EXPECT_EQ(worker->error, 0);
    EXPECT_EQ(ReadFile((DownloadDir() / "data.bin").string()), data);
    EXPECT_EQ(log.Count("Transfer failed"), 0u) << log.Text();
}

TEST_F(DownLoadThreadTest, AnHttpsFileFromAnUntrustedServerFailsEveryAttempt) {
    const TestCertificates certificates;
    for (const char* certificate : {"wrong-host", "stranger"}) {
        SCOPED_TRACE(certificate);
        const HttpsFront front(certificate, server.Port());
        Entry entry = ServeFile("refused.bin", Content(20000, 3));
        const std::string path = entry.downUrl.substr(entry.downUrl.find("/files"));
        entry.downUrl = front.Url(path);
        DownLoadThread direct;
        direct.notifyWindow = window.handle;
        direct.files = ManifestOf({entry});
        const std::size_t failures = log.Count("Transfer failed: host 127.0.0.1, curl error 60 (");
        EXPECT_FALSE(direct.DownloadFiles());
        // Nothing arrived, so the digest fails first, as for any transfer that brings no file.
        EXPECT_EQ(direct.error, kErrorFileNotVerified);
        EXPECT_EQ(server.GetCount(path), 0);  // no request reached the server
        EXPECT_EQ(log.Count("Transfer failed: host 127.0.0.1, curl error 60 ("),
                  failures + DownLoadThread::kMaxAttempts)
            << log.Text();
    }
}

}  // namespace
