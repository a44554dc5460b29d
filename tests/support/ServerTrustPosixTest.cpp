// The authorities an operator names on Linux, read as the curl tool reads them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/platform/ServerTrust.h"
#include "tests/testing/Environment.h"

namespace {

using larkholm::testing::SetEnv;
using larkholm::testing::UnsetEnv;

TEST(ServerTrustTest, NamedAuthoritiesFollowTheCurlToolsVariables) {
    const char* names[] = {"CURL_CA_BUNDLE", "SSL_CERT_FILE", "SSL_CERT_DIR"};
    const struct {
        std::map<std::string, std::string> variables;
        std::string bundle, folder;
    } cases[] = {
        {{}, "", ""},  // the system's bundle
        {{{"SSL_CERT_FILE", "/a.pem"}, {"SSL_CERT_DIR", "/certs"}}, "/a.pem", "/certs"},
        {{{"SSL_CERT_DIR", "/certs"}}, "", "/certs"},
        // CURL_CA_BUNDLE alone counts when it is set, as in the curl tool.
        {{{"CURL_CA_BUNDLE", "/b.pem"}, {"SSL_CERT_FILE", "/a.pem"}, {"SSL_CERT_DIR", "/certs"}},
         "/b.pem",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.variables));
        for (const char* name : names) UnsetEnv(name);
        for (const auto& [name, value] : c.variables) SetEnv(name.c_str(), value.c_str());
        const AuthorityFiles named = NamedAuthorityFiles();
        EXPECT_EQ(named.bundle, c.bundle);
        EXPECT_EQ(named.folder, c.folder);
    }
    for (const char* name : names) UnsetEnv(name);
}

}  // namespace
