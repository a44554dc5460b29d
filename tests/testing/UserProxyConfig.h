// Windows only: the current user's proxy configuration, and the machine-wide WinHTTP proxy, as
// this process sees them, set by a test. While an object lives, HKEY_CURRENT_USER (or
// HKEY_LOCAL_MACHINE) of this process is a private, volatile key holding only the proxy settings
// a test names, written in the form the system keeps them; other processes and the machine's real
// settings are untouched, and the key is gone after.
#pragma once

#include <string>

namespace larkholm::testing {

// `proxyList`: "host:port" or "http=host:port;https=..." as the system's settings hold it; empty
// means no proxy. `bypassList`: the hosts reached directly, separated by ";". `scriptUrl`: the
// automatic configuration script's URL; empty means none.
void OverrideUserProxyConfig(const std::string& proxyList, const std::string& bypassList,
                             const std::string& scriptUrl = "");
// Gives the process the user's own settings back and removes the private key.
void RestoreUserProxyConfig();

// The configuration given while the object lives.
class UserProxyConfig {
public:
    UserProxyConfig(const std::string& proxyList, const std::string& bypassList,
                    const std::string& scriptUrl = "") {
        OverrideUserProxyConfig(proxyList, bypassList, scriptUrl);
    }
    ~UserProxyConfig() { RestoreUserProxyConfig(); }
    UserProxyConfig(const UserProxyConfig&) = delete;
    UserProxyConfig& operator=(const UserProxyConfig&) = delete;
};

// The machine-wide WinHTTP proxy ("netsh winhttp set proxy") while the object lives; an empty
// `proxyList` means direct.
class MachineProxyConfig {
public:
    MachineProxyConfig(const std::string& proxyList, const std::string& bypassList);
    ~MachineProxyConfig();
    MachineProxyConfig(const MachineProxyConfig&) = delete;
    MachineProxyConfig& operator=(const MachineProxyConfig&) = delete;
};

}  // namespace larkholm::testing
