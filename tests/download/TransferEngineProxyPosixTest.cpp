// The proxy variables of the environment are how Linux configures a proxy; Windows reads the
// current user's Internet settings instead.
#include <gtest/gtest.h>

#include <string>

#include "download/TransferEngine.h"
#include "tests/download/EngineRun.h"
#include "tests/testing/ProxyEnvironment.h"
#include "tests/testing/TempDir.h"
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

}  // namespace
