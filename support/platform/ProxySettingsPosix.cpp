#include <cstdlib>
#include <initializer_list>

#include "support/platform/ProxySettings.h"

namespace {

// The first of `names` that is set and not empty. Lower case comes first, as libcurl and most
// tools read them.
std::string FirstSet(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

}  // namespace

ProxySettings SystemProxySettings(const std::string& /*url*/) {
    // libcurl leaves upper-case HTTP_PROXY alone because a CGI program receives a "Proxy:" request
    // header as that variable. The wizard is no CGI program, and operators set either form, so both
    // count here.
    ProxySettings settings;
    settings.httpProxy = FirstSet({"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"});
    settings.httpsProxy = FirstSet({"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"});
    settings.noProxy = FirstSet({"no_proxy", "NO_PROXY"});
    return settings;
}
