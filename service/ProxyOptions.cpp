#include "service/ProxyOptions.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>

#include "support/platform/ProxySettings.h"

namespace {

bool IsHttpsUrl(const std::string& url) {
    constexpr std::string_view kScheme = "https://";
    return url.size() >= kScheme.size() &&
           std::equal(kScheme.begin(), kScheme.end(), url.begin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

void ApplyProxySettings(void* curl, const std::string& url) {
    const ProxySettings settings = SystemProxySettings(url);
    const std::string& proxy = IsHttpsUrl(url) ? settings.httpsProxy : settings.httpProxy;
    // An empty proxy text turns proxies off, also those named in the environment.
    curl_easy_setopt(static_cast<CURL*>(curl), CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(static_cast<CURL*>(curl), CURLOPT_NOPROXY, settings.noProxy.c_str());
}
