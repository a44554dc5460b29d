// Windows only: the current user's proxy configuration as this process sees it, set by a test.
// While the object lives, HKEY_CURRENT_USER of this process is a private, volatile key holding
// only the proxy settings a test names, written in the form the system's Internet settings keep
// them; other processes and the user's real settings are untouched, and the key is gone after.
#pragma once

#include <string>

namespace larkholm::testing {

// `proxyList`: "host:port" or "http=host:port;https=..." as the system's settings hold it; empty
// means no proxy. `bypassList`: the hosts reached directly, separated by ";".
void OverrideUserProxyConfig(const std::string& proxyList, const std::string& bypassList);
// Gives the process the user's own settings back and removes the private key.
void RestoreUserProxyConfig();

// The configuration given while the object lives.
class UserProxyConfig {
public:
    UserProxyConfig(const std::string& proxyList, const std::string& bypassList) {
        OverrideUserProxyConfig(proxyList, bypassList);
    }
    ~UserProxyConfig() { RestoreUserProxyConfig(); }
    UserProxyConfig(const UserProxyConfig&) = delete;
    UserProxyConfig& operator=(const UserProxyConfig&) = delete;
};

}  // namespace larkholm::testing
