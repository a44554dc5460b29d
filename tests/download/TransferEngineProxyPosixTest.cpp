// The proxy variables of the environment are how Linux configures a proxy; Windows reads the
// current user's Internet settings instead.
#include <gtest/gtest.h>

#include <string>

#include "download/TransferEngine.h"
#include "tests/download/EngineRun.h"
#include "tests/testing/ConnectProxy.h"
#include "tests/testing/HttpsFront.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/ProxyEnvironment.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TestCertificates.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using namespace larkholm::testing;

const std::string kBody = "MZ installer bytes \x01\x02\x03 and a tail";

TEST(TransferEngineTest, TransfersGoThroughTheConfiguredProxy) {
    TestHttpServer origin;
    TestHttpServer proxy;
    const std::string url = origin.Url("/pkg.zip");
    proxy.ServeBytes(url, kBody);
    ProxyEnvironment environment({{"HTTP_PROXY", proxy.Url("")}});
    TempDir dir;
    const Outcome outcome = RunEngine({{url, dir / "pkg.zip"}});
    EXPECT_EQ(outcome.lastError, 0);
    EXPECT_EQ(outcome.status.total, double(kBody.size()));  // the size query went the same way
    EXPECT_EQ(ReadFile(dir / "pkg.zip"), kBody);
    EXPECT_TRUE(origin.Requests().empty());
}

// An https URL goes through the https proxy as a CONNECT tunnel, and the server's certificate is
// checked through the tunnel as it is on a direct connection.
TEST(TransferEngineTest, HttpsTransfersTunnelThroughTheProxyAndStillCheckTheServer) {
    struct Case {
        const char* certificate;
        std::int32_t lastError;
    };
    const Case cases[] = {{"server", 0}, {"stranger", 60}};  // 60: CURLE_PEER_FAILED_VERIFICATION
    const TestCertificates certificates;
    TestHttpServer origin;
    origin.ServeBytes("/pkg.zip", kBody);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.certificate);
        const HttpsFront front(c.certificate, origin.Port());
        ConnectProxy proxy;
        ProxyEnvironment environment({{"https_proxy", proxy.Url()}});
        const LogCapture log;
        TempDir dir;
        const Outcome outcome = RunEngine({{front.Url("/pkg.zip"), dir / "pkg.zip"}});
        EXPECT_EQ(outcome.lastError, c.lastError);
        EXPECT_EQ(ReadFile(dir / "pkg.zip"), c.lastError == 0 ? kBody : "");
        const std::string target = "127.0.0.1:" + std::to_string(front.Port());
        EXPECT_EQ(proxy.Targets(), std::vector<std::string>(2, target));  // the size query and the transfer
        EXPECT_EQ(log.Count("Transfer failed: host 127.0.0.1, curl error 60 ("), c.lastError == 0 ? 0u : 1u)
            << log.Text();
    }
}

}  // namespace
