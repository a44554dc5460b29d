#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/TextConvert.h"
#include "support/platform/ProxySettings.h"

namespace {

// The entries of a Windows proxy or bypass list, which separates them by ";" or white space.
std::vector<std::wstring_view> Entries(std::wstring_view list) {
    std::vector<std::wstring_view> entries;
    constexpr std::wstring_view kSeparators = L"; \t\r\n";
    for (std::size_t start = list.find_first_not_of(kSeparators); start != std::wstring_view::npos;) {
        const std::size_t end = list.find_first_of(kSeparators, start);
        entries.push_back(list.substr(start, end == std::wstring_view::npos ? end : end - start));
        start = end == std::wstring_view::npos ? end : list.find_first_not_of(kSeparators, end);
    }
    return entries;
}

// "host:port" for every scheme, or "http=host:port;https=host:port;ftp=...".
void ReadProxyList(std::wstring_view list, ProxySettings& settings) {
    for (const std::wstring_view entry : Entries(list)) {
        const std::size_t equals = entry.find(L'=');
        if (equals == std::wstring_view::npos) {
            if (settings.httpProxy.empty()) settings.httpProxy = WideToAnsi(entry);
            if (settings.httpsProxy.empty()) settings.httpsProxy = WideToAnsi(entry);
            continue;
        }
        const std::wstring_view scheme = entry.substr(0, equals);
        const std::string proxy = WideToAnsi(entry.substr(equals + 1));
        if (scheme == L"http") settings.httpProxy = proxy;
        else if (scheme == L"https") settings.httpsProxy = proxy;
    }
}

// "10.*", "192.168.*" or "192.168.1.*" as the address range libcurl understands ("192.168.0.0/16");
// empty for anything else.
std::string Ipv4PrefixRange(std::wstring_view pattern) {
    if (!pattern.ends_with(L".*")) return {};
    pattern.remove_suffix(2);
    std::string range;
    int octets = 0;
    for (std::size_t start = 0; start <= pattern.size() && octets < 4; ++octets) {
        const std::size_t dot = std::min(pattern.find(L'.', start), pattern.size());
        const std::wstring_view octet = pattern.substr(start, dot - start);
        if (octet.empty() || octet.size() > 3) return {};
        int value = 0;
        for (const wchar_t digit : octet) {
            if (digit < L'0' || digit > L'9') return {};
            value = value * 10 + (digit - L'0');
        }
        if (value > 255) return {};
        range += std::to_string(value) + '.';
        start = dot + 1;
    }
    if (octets > 3) return {};
    for (int zero = octets; zero < 4; ++zero) range += "0.";
    range.back() = '/';
    return range + std::to_string(8 * octets);
}

// The bypass list in libcurl's form: "*.example.com" becomes ".example.com" (the domain and its
// hosts), "192.168.*" the address range, "<local>" the loopback names. Other wildcard patterns have
// no equivalent and are left out.
std::string NoProxyList(std::wstring_view bypass) {
    std::string list;
    for (std::wstring_view entry : Entries(bypass)) {
        std::string host;
        if (entry == L"<local>") host = "localhost,127.0.0.1,::1";
        else if (entry.starts_with(L"*.") && entry.find(L'*', 1) == std::wstring_view::npos)
            host = WideToAnsi(entry.substr(1));
        else if (std::string range = Ipv4PrefixRange(entry); !range.empty()) host = std::move(range);
        else if (entry.find(L'*') == std::wstring_view::npos) host = WideToAnsi(entry);
        if (host.empty()) continue;
        if (!list.empty()) list += ',';
        list += host;
    }
    return list;
}

}  // namespace

ProxySettings SystemProxySettings() {
    ProxySettings settings;
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
    if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) return settings;
    if (config.lpszProxy != nullptr) ReadProxyList(config.lpszProxy, settings);
    if (config.lpszProxyBypass != nullptr) settings.noProxy = NoProxyList(config.lpszProxyBypass);
    for (LPWSTR text : {config.lpszAutoConfigUrl, config.lpszProxy, config.lpszProxyBypass}) {
        if (text != nullptr) GlobalFree(text);
    }
    return settings;
}
