#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/testing/UserProxyConfig.h"

namespace larkholm::testing {

namespace {

// The tests' own key under the user's, and in it the key that stands in for the user's whole key.
constexpr wchar_t kTestsKey[] = L"Software\\Larkholm tests";
const std::wstring kPrivateUserKey = std::wstring(kTestsKey) + L"\\Proxy configuration";
constexpr wchar_t kConnectionsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";

// The "DefaultConnectionSettings" record: a format tag, a change counter, the connection flags,
// then the proxy list, the bypass list and the configuration script's URL, each an ANSI string
// after its length; the automatic-detection fields that follow are left zero.
std::string ConnectionSettings(const std::string& proxyList, const std::string& bypassList) {
    constexpr std::uint32_t kFormat = 0x46, kDirect = 0x1, kProxy = 0x2;
    std::string record;
    auto put = [&record](std::uint32_t value) { record.append(reinterpret_cast<const char*>(&value), sizeof value); };
    auto putText = [&](const std::string& text) {
        put(std::uint32_t(text.size()));
        record += text;
    };
    put(kFormat);
    put(1);
    put(proxyList.empty() ? kDirect : kDirect | kProxy);
    putText(proxyList);
    putText(bypassList);
    putText("");
    record.append(32, '\0');
    return record;
}

}  // namespace

void OverrideUserProxyConfig(const std::string& proxyList, const std::string& bypassList) {
    HKEY privateRoot = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kPrivateUserKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &privateRoot, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegOverridePredefKey(HKEY_CURRENT_USER, privateRoot), ERROR_SUCCESS);
    ::RegCloseKey(privateRoot);
    // Under a volatile key every key must be volatile too.
    HKEY connections = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kConnectionsKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE,
                                nullptr, &connections, nullptr),
              ERROR_SUCCESS);
    const std::string record = ConnectionSettings(proxyList, bypassList);
    EXPECT_EQ(::RegSetValueExW(connections, L"DefaultConnectionSettings", 0, REG_BINARY,
                               reinterpret_cast<const BYTE*>(record.data()), DWORD(record.size())),
              ERROR_SUCCESS);
    ::RegCloseKey(connections);
}

void RestoreUserProxyConfig() {
    EXPECT_EQ(::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, kTestsKey), ERROR_SUCCESS);
}

}  // namespace larkholm::testing
