// The install service's request over https, on both platforms: the server must hold a certificate
// for the URL's host from an authority the system trusts. Any other fails the request as an
// unreachable service does, with a log line that names the host and libcurl's code and text.
#include <gtest/gtest.h>

#include <string>

#include "service/InstallService.h"
#include "tests/testing/Environment.h"
#include "tests/testing/HttpsFront.h"
#include "tests/testing/InstallReplies.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/TestCertificates.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using namespace larkholm::testing;

TEST(HttpsRequestTest, OnlyAServerTrustedForTheHostIsAnswered) {
    struct Case {
        const char* certificate;
        bool answered;
    };
    const Case cases[] = {
        {"server", true},       // for 127.0.0.1, from the trusted root
        {"wrong-host", false},  // from the trusted root, for localhost.invalid
        {"stranger", false},    // for 127.0.0.1, from an authority nothing trusts
    };
    const TestCertificates certificates;
    TestHttpServer server;
    const std::string manifestUrl = "https://127.0.0.1/manifest";
    server.ServeJson("/admin/do/install/setup", SetupReply(manifestUrl));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.certificate);
        const HttpsFront front(c.certificate, server.Port());
        SetEnv("LARKHOLM_SERVICE_URL", front.Url("/admin").c_str());
        const LogCapture log;
        InstallJob job;
        job.shopCode = "A1";
        EXPECT_EQ(RequestInstall(job), c.answered);
        const auto failures = log.Containing("Transfer failed: host 127.0.0.1, curl error 60 (");
        if (c.answered) {
            EXPECT_EQ(job.error, 0);
            EXPECT_EQ(job.installResult.downUrl, manifestUrl);
            EXPECT_TRUE(failures.empty()) << log.Text();
        } else {
            EXPECT_EQ(job.error, kErrorServiceReply);
            EXPECT_EQ(failures.size(), 1u) << log.Text();
        }
    }
    UnsetEnv("LARKHOLM_SERVICE_URL");
}

}  // namespace
