// Transfers follow the proxy variables that Linux users set; on Windows the proxy comes from the
// user's system configuration instead.
#include <gtest/gtest.h>

#include "download/TransferEngine.h"
#include "tests/testing/ProxyEnvironment.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using larkholm::testing::ProxyEnvironment;
using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;
using larkholm::testing::TestHttpServer;

TEST(TransferEngineProxyTest, TransfersGoThroughTheConfiguredProxy) {
    const std::string body = "MZ installer bytes through the proxy";
    TestHttpServer origin;
    TestHttpServer proxy;
    const std::string url = origin.Url("/pkg.zip");
    proxy.ServeBytes(url, body);
    ProxyEnvironment environment({{"HTTP_PROXY", proxy.Url("")}});
    TempDir dir;

    TransferEngine engine;
    ASSERT_TRUE(engine.AddTask({url, dir / "pkg.zip"}));
    ASSERT_EQ(engine.StartTransfers(), 0);
    ASSERT_TRUE(engine.WaitForFinish(30000));
    TransferStatus status;
    engine.GetStatus(status);
    EXPECT_EQ(engine.LastError(), 0);
    EXPECT_EQ(status.total, double(body.size()));  // the size query went the same way
    EXPECT_EQ(ReadFile(dir / "pkg.zip"), body);
    EXPECT_TRUE(origin.Requests().empty());
}

}  // namespace
