// Windows keeps the proxy in the current user's Internet settings: one proxy for every scheme or
// one per scheme, and a bypass list with its own patterns ("<local>", "*.domain", "10.*").
#include <gtest/gtest.h>

#include <string>

#include "tests/service/ProxiedOrigin.h"
#include "tests/testing/UserProxyConfig.h"

namespace {

using larkholm::testing::UserProxyConfig;
using ProxyOptionsTest = larkholm::testing::ProxiedOrigin;

TEST_F(ProxyOptionsTest, RequestsFollowTheUsersProxyConfiguration) {
    const std::string proxyHost = "127.0.0.1:" + std::to_string(proxy.Port());
    const struct {
        std::string proxyList;
        std::string bypassList;
        std::string answer;
    } cases[] = {
        {"", "", kDirect},
        {proxyHost, "", kViaProxy},
        {"http=" + proxyHost, "", kViaProxy},
        {"ftp=127.0.0.1:1; http=" + proxyHost, "", kViaProxy},
        {"https=" + proxyHost, "", kDirect},  // for https:// URLs only
        {proxyHost, "127.0.0.1", kDirect},
        {proxyHost, "*.example.com;<local>", kDirect},
        {proxyHost, "*.example.com localhost", kViaProxy},
        {proxyHost, "10.*;127.*", kDirect},
        {proxyHost, "127.0.0.*", kDirect},
        {proxyHost, "127.1.*;128.*", kViaProxy},
        {proxyHost, "127.*.0.1;1*", kViaProxy},  // other wildcards have no libcurl equivalent
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("proxy \"" + c.proxyList + "\", bypass \"" + c.bypassList + "\"");
        UserProxyConfig config(c.proxyList, c.bypassList);
        EXPECT_EQ(Fetch(), c.answer);
    }
}

}  // namespace
