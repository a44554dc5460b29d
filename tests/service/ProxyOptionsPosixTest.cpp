// The proxy variables of the environment are how Linux configures a proxy; Windows reads the
// current user's Internet settings instead.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/service/ProxiedOrigin.h"
#include "tests/testing/ProxyEnvironment.h"

namespace {

using larkholm::testing::ProxyEnvironment;
using ProxyOptionsTest = larkholm::testing::ProxiedOrigin;

TEST_F(ProxyOptionsTest, RequestsFollowTheProxyVariables) {
    const std::string proxyUrl = proxy.Url("");
    const struct {
        std::map<std::string, std::string> variables;
        std::string answer;
    } cases[] = {
        {{}, kDirect},
        {{{"http_proxy", proxyUrl}}, kViaProxy},
        // libcurl on its own leaves upper-case HTTP_PROXY alone; operators set either form.
        {{{"HTTP_PROXY", proxyUrl}}, kViaProxy},
        {{{"ALL_PROXY", proxyUrl}}, kViaProxy},
        {{{"http_proxy", proxyUrl}, {"no_proxy", "127.0.0.1"}}, kDirect},
        {{{"http_proxy", proxyUrl}, {"NO_PROXY", "*"}}, kDirect},
        {{{"https_proxy", proxyUrl}}, kDirect},  // for https:// URLs only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.variables));
        ProxyEnvironment environment(c.variables);
        EXPECT_EQ(Fetch(), c.answer);
    }
}

}  // namespace
