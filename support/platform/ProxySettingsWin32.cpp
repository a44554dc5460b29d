#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <optional>
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
        if (scheme == L"http")
            settings.httpProxy = proxy;
        else if (scheme == L"https")
            settings.httpsProxy = proxy;
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
        if (entry == L"<local>")
            host = "localhost,127.0.0.1,::1";
        else if (entry.starts_with(L"*.") && entry.find(L'*', 1) == std::wstring_view::npos)
            host = WideToAnsi(entry.substr(1));
        else if (std::string range = Ipv4PrefixRange(entry); !range.empty())
            host = std::move(range);
        else if (entry.find(L'*') == std::wstring_view::npos)
            host = WideToAnsi(entry);
        if (host.empty()) continue;
        if (!list.empty()) list += ',';
        list += host;
    }
    return list;
}

// Frees the texts WinHTTP hands out.
class GlobalTexts {
public:
    GlobalTexts(std::initializer_list<LPWSTR> texts) : texts_(texts) {}
    ~GlobalTexts() {
        for (LPWSTR text : texts_)
            if (text != nullptr) ::GlobalFree(text);
    }
    GlobalTexts(const GlobalTexts&) = delete;
    GlobalTexts& operator=(const GlobalTexts&) = delete;

private:
    std::vector<LPWSTR> texts_;
};

// A proxy list and bypass list as WinHTTP gives them, in libcurl's terms.
ProxySettings FromLists(LPCWSTR proxy, LPCWSTR bypass) {
    ProxySettings settings;
    if (proxy != nullptr) ReadProxyList(proxy, settings);
    if (bypass != nullptr) settings.noProxy = NoProxyList(bypass);
    return settings;
}

// One session for the automatic configuration, kept for the program's life: WinHTTP keeps what
// detection found and the scripts it fetched per session, so not every request pays for them.
HINTERNET AutoProxySession() {
    static const HINTERNET session = ::WinHttpOpen(L"Larkholm", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                                   WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    return session;
}

// Set once automatic detection found no script on this network. Detection is on by default on
// Windows and most networks have none; asking again for every request and every download attempt
// would cost each of them the detection's time-outs.
std::atomic<bool> detectionMayFindScript{true};

// What automatic detection (WPAD) or the configuration script says for `url`; nothing when the
// user asks for neither, or when neither gives an answer (no script found, a script that fails),
// in which case the static settings hold, as they do for the system's own programs.
std::optional<ProxySettings> AutomaticProxy(const WINHTTP_CURRENT_USER_IE_PROXY_CONFIG& config,
                                            const std::string& url) {
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (config.fAutoDetect && detectionMayFindScript) {
        options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    if (config.lpszAutoConfigUrl != nullptr && *config.lpszAutoConfigUrl != L'\0') {
        options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = config.lpszAutoConfigUrl;
    }
    if (options.dwFlags == 0 || AutoProxySession() == nullptr) return std::nullopt;
    options.fAutoLogonIfChallenged = TRUE;
    WINHTTP_PROXY_INFO info{};
    if (!::WinHttpGetProxyForUrl(AutoProxySession(), Utf8ToWide(url).c_str(), &options, &info)) {
        if (::GetLastError() == ERROR_WINHTTP_AUTODETECTION_FAILED) detectionMayFindScript = false;
        return std::nullopt;
    }
    const GlobalTexts texts{info.lpszProxy, info.lpszProxyBypass};
    // The answer is for this URL alone: its first proxy, for whichever scheme the URL has.
    ProxySettings settings;
    if (info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && info.lpszProxy != nullptr) {
        const std::vector<std::wstring_view> proxies = Entries(info.lpszProxy);
        if (!proxies.empty()) settings.httpProxy = settings.httpsProxy = WideToAnsi(proxies.front());
    }
    return settings;
}

}  // namespace

ProxySettings SystemProxySettings(const std::string& url) {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
    if (::WinHttpGetIEProxyConfigForCurrentUser(&config)) {
        const GlobalTexts texts{config.lpszAutoConfigUrl, config.lpszProxy, config.lpszProxyBypass};
        if (auto automatic = AutomaticProxy(config, url)) return *automatic;
        if (config.lpszProxy != nullptr && *config.lpszProxy != L'\0')
            return FromLists(config.lpszProxy, config.lpszProxyBypass);
    }
    // The machine's own WinHTTP proxy, which services and installers on locked-down machines are
    // given when the user has none.
    WINHTTP_PROXY_INFO machine{};
    if (!::WinHttpGetDefaultProxyConfiguration(&machine)) return {};
    const GlobalTexts texts{machine.lpszProxy, machine.lpszProxyBypass};
    if (machine.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY) return {};
    return FromLists(machine.lpszProxy, machine.lpszProxyBypass);
}
