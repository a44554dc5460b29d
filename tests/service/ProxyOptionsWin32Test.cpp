// Windows keeps the proxy in the current user's Internet settings: one proxy for every scheme or
// one per scheme, and a bypass list with its own patterns ("<local>", "*.domain", "10.*"), or an
// automatic configuration script; when the user names none, the machine's WinHTTP proxy holds.
#include <gtest/gtest.h>

#include <string>

#include "tests/service/ProxiedOrigin.h"
#include "tests/testing/UserProxyConfig.h"

namespace {

using larkholm::testing::MachineProxyConfig;
using larkholm::testing::TestHttpServer;
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

TEST_F(ProxyOptionsTest, RequestsFollowTheConfigurationScript) {
    const std::string proxyHost = "127.0.0.1:" + std::to_string(proxy.Port());
    TestHttpServer scripts;
    // The script sends the origin's port through the proxy and everything else direct.
    scripts.ServeBytes("/proxy.pac",
                       "function FindProxyForURL(url, host) {\n"
                       "  if (url.indexOf(':" +
                           std::to_string(origin.Port()) +
                           "/') >= 0)\n"
                           "    return 'PROXY " +
                           proxyHost +
                           "; DIRECT';\n"
                           "  return 'DIRECT';\n}\n");
    scripts.ServeBytes("/direct.pac", "function FindProxyForURL(url, host) { return 'DIRECT'; }\n");
    const struct {
        std::string proxyList;
        std::string script;
        std::string answer;
    } cases[] = {
        {"", scripts.Url("/proxy.pac"), kViaProxy},
        {proxyHost, scripts.Url("/direct.pac"), kDirect},     // the script's answer comes first
        {proxyHost, scripts.Url("/missing.pac"), kViaProxy},  // no script: the static proxy
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("proxy \"" + c.proxyList + "\", script " + c.script);
        UserProxyConfig config(c.proxyList, "", c.script);
        EXPECT_EQ(Fetch(), c.answer);
    }
}

TEST_F(ProxyOptionsTest, WithoutAProxyOfTheUsersTheMachinesWinHttpProxyHolds) {
    const std::string proxyHost = "127.0.0.1:" + std::to_string(proxy.Port());
    const struct {
        std::string userProxy;
        std::string machineProxy;
        std::string machineBypass;
        std::string answer;
    } cases[] = {
        {"", proxyHost, "", kViaProxy},
        {"", proxyHost, "<local>", kDirect},
        {"", "", "", kDirect},
        {"127.0.0.1:1", proxyHost, "", kDirect},  // the user's own proxy comes first (and is bypassed)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("user \"" + c.userProxy + "\", machine \"" + c.machineProxy + "\" bypass \"" +
                     c.machineBypass + "\"");
        UserProxyConfig user(c.userProxy, c.userProxy.empty() ? "" : "127.0.0.1");
        MachineProxyConfig machine(c.machineProxy, c.machineBypass);
        EXPECT_EQ(Fetch(), c.answer);
    }
}

}  // namespace
