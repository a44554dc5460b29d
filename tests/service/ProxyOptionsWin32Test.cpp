// Windows keeps the proxy in the current user's Internet settings: one proxy for every scheme or
// one per scheme, and a bypass list with its own patterns ("<local>", "*.domain").
#include <gtest/gtest.h>

#include <string>

#include "service/HttpClient.h"
#include "tests/testing/TestHttpServer.h"
#include "tests/testing/UserProxyConfig.h"

namespace {

using larkholm::testing::TestHttpServer;
using larkholm::testing::UserProxyConfig;

// A loopback proxy receives the origin's absolute URL as its request target; which of the two
// answers tells which way the request went.
TEST(ProxyOptionsTest, RequestsFollowTheUsersProxyConfiguration) {
    ASSERT_EQ(HttpStartup(), 0);
    TestHttpServer origin;
    TestHttpServer proxy;
    const std::string url = origin.Url("/file");
    origin.ServeBytes("/file", "direct");
    proxy.ServeBytes(url, "via proxy");
    const std::string proxyHost = "127.0.0.1:" + std::to_string(proxy.Port());
    const struct {
        std::string proxyList;
        std::string bypassList;
        std::string answer;
    } cases[] = {
        {"", "", "direct"},
        {proxyHost, "", "via proxy"},
        {"http=" + proxyHost, "", "via proxy"},
        {"ftp=127.0.0.1:1; http=" + proxyHost, "", "via proxy"},
        {"https=" + proxyHost, "", "direct"},  // for https:// URLs only
        {proxyHost, "127.0.0.1", "direct"},
        {proxyHost, "*.example.com;<local>", "direct"},
        {proxyHost, "*.example.com localhost", "via proxy"},
        {proxyHost, "10.*;127.*", "direct"},
        {proxyHost, "127.0.0.*", "direct"},
        {proxyHost, "127.1.*;128.*", "via proxy"},
        {proxyHost, "127.*.0.1;1*", "via proxy"},  // other wildcards have no libcurl equivalent
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("proxy \"" + c.proxyList + "\", bypass \"" + c.bypassList + "\"");
        UserProxyConfig config(c.proxyList, c.bypassList);
        std::string body;
        EXPECT_EQ(HttpGet(url, body, 5000, 5000), 0);
        EXPECT_EQ(body, c.answer);
    }
    HttpShutdown();
}

}  // namespace
