// The proxy this machine's user has configured, in the terms libcurl takes. On Linux these are the
// usual environment variables. On Windows the user's system proxy configuration: automatic
// detection and the automatic configuration script (PAC) first, decided for the URL at hand; then
// the static proxy and bypass list; when the user names none of them, the machine-wide WinHTTP
// proxy ("netsh winhttp set proxy").
#pragma once

#include <string>

struct ProxySettings {
    std::string httpProxy;   // proxy for http:// URLs ("host:port" or a proxy URL); empty: direct
    std::string httpsProxy;  // proxy for https:// URLs; empty: direct
    std::string noProxy;     // hosts, domains and addresses reached directly, comma-separated; "*": all
};

// The settings for a request of `url`. Read afresh on every call, so a setting changed while the
// wizard runs applies to the next request; only automatic detection that found no script on the
// network is not tried again.
ProxySettings SystemProxySettings(const std::string& url);
