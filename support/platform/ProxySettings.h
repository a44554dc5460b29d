// The proxy this machine's user has configured, in the terms libcurl takes. On Linux these are the
// usual environment variables; on Windows the user's system proxy configuration (the static proxy
// and bypass list; automatic configuration scripts are not followed).
#pragma once

#include <string>

struct ProxySettings {
    std::string httpProxy;   // proxy for http:// URLs ("host:port" or a proxy URL); empty: direct
    std::string httpsProxy;  // proxy for https:// URLs; empty: direct
    std::string noProxy;     // hosts, domains and addresses reached directly, comma-separated; "*": all
};

// Read afresh on every call, so a setting changed while the wizard runs applies to the next request.
ProxySettings SystemProxySettings();
