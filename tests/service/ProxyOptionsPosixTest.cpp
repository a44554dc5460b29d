// The proxy variables of the environment are how Linux configures a proxy; Windows reads the
// current user's Internet settings instead.
#include <gtest/gtest.h>

#include "service/HttpClient.h"
#include "tests/testing/ProxyEnvironment.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using larkholm::testing::ProxyEnvironment;
using larkholm::testing::TestHttpServer;

// A loopback proxy receives the origin's absolute URL as its request target; which of the two
// answers tells which way the request went.
TEST(ProxyOptionsTest, RequestsFollowTheProxyVariables) {
    ASSERT_EQ(HttpStartup(), 0);
    TestHttpServer origin;
    TestHttpServer proxy;
    const std::string url = origin.Url("/file");
    origin.ServeBytes("/file", "direct");
    proxy.ServeBytes(url, "via proxy");
    const std::string proxyUrl = proxy.Url("");
    const struct {
        std::map<std::string, std::string> variables;
        std::string answer;
    } cases[] = {
        {{}, "direct"},
        {{{"http_proxy", proxyUrl}}, "via proxy"},
        // libcurl on its own leaves upper-case HTTP_PROXY alone; operators set either form.
        {{{"HTTP_PROXY", proxyUrl}}, "via proxy"},
        {{{"ALL_PROXY", proxyUrl}}, "via proxy"},
        {{{"http_proxy", proxyUrl}, {"no_proxy", "127.0.0.1"}}, "direct"},
        {{{"http_proxy", proxyUrl}, {"NO_PROXY", "*"}}, "direct"},
        {{{"https_proxy", proxyUrl}}, "direct"},  // for https:// URLs only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.variables));
        ProxyEnvironment environment(c.variables);
        std::string body;
        EXPECT_EQ(HttpGet(url, body, 5000, 5000), 0);
        EXPECT_EQ(body, c.answer);
    }
    HttpShutdown();
}

}  // namespace
