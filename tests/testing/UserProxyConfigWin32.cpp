#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/testing/UserProxyConfig.h"

namespace larkholm::testing {

namespace {

// The tests' own keys under the user's, and in them the keys that stand in for the user's and the
// machine's whole keys.
constexpr wchar_t kTestsKey[] = L"Software\\Larkholm tests";
const std::wstring kPrivateUserKey = std::wstring(kTestsKey) + L"\\Proxy configuration";
constexpr wchar_t kMachineTestsKey[] = L"Software\\Larkholm machine tests";
const std::wstring kPrivateMachineKey = std::wstring(kMachineTestsKey) + L"\\Proxy configuration";
constexpr wchar_t kConnectionsKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";

// The records the system keeps proxy settings in: a format tag (0x46 for the user's
// "DefaultConnectionSettings", 0x18 for the machine's "WinHttpSettings"), a counter, the
// connection flags, then the proxy list and the bypass list, each an ANSI string after its length;
// the user's record goes on with the configuration script's URL and automatic-detection fields,
// left zero here.
constexpr std::uint32_t kDirect = 0x1, kProxy = 0x2, kScript = 0x4;

class SettingsRecord {
public:
    void Put(std::uint32_t value) { bytes.append(reinterpret_cast<const char*>(&value), sizeof value); }
    void PutText(const std::string& text) {
        Put(std::uint32_t(text.size()));
        bytes += text;
    }
    std::string bytes;
};

std::string ConnectionSettings(const std::string& proxyList, const std::string& bypassList,
                               const std::string& scriptUrl) {
    SettingsRecord record;
    record.Put(0x46);
    record.Put(1);
    record.Put(kDirect | (proxyList.empty() ? 0 : kProxy) | (scriptUrl.empty() ? 0 : kScript));
    record.PutText(proxyList);
    record.PutText(bypassList);
    record.PutText(scriptUrl);
    record.bytes.append(32, '\0');
    return record.bytes;
}

std::string WinHttpSettings(const std::string& proxyList, const std::string& bypassList) {
    SettingsRecord record;
    record.Put(0x18);
    record.Put(0);
    record.Put(proxyList.empty() ? kDirect : kProxy);
    record.PutText(proxyList);
    record.PutText(bypassList);
    return record.bytes;
}

// Makes `root` of this process a private volatile key `privateKey` (under the user's key) that
// holds `value` = `record` under the Internet settings' connections key.
void OverrideWithRecord(HKEY root, const std::wstring& privateKey, const wchar_t* value,
                        const std::string& record) {
    HKEY privateRoot = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, privateKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &privateRoot, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegOverridePredefKey(root, privateRoot), ERROR_SUCCESS);
    ::RegCloseKey(privateRoot);
    // Under a volatile key every key must be volatile too.
    HKEY connections = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(root, kConnectionsKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr,
                                &connections, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExW(connections, value, 0, REG_BINARY,
                               reinterpret_cast<const BYTE*>(record.data()), DWORD(record.size())),
              ERROR_SUCCESS);
    ::RegCloseKey(connections);
}

void RestoreRoot(HKEY root, const wchar_t* testsKey) {
    EXPECT_EQ(::RegOverridePredefKey(root, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(::RegDeleteTreeW(HKEY_CURRENT_USER, testsKey), ERROR_SUCCESS);
}

}  // namespace

void OverrideUserProxyConfig(const std::string& proxyList, const std::string& bypassList,
                             const std::string& scriptUrl) {
    OverrideWithRecord(HKEY_CURRENT_USER, kPrivateUserKey, L"DefaultConnectionSettings",
                       ConnectionSettings(proxyList, bypassList, scriptUrl));
}

void RestoreUserProxyConfig() {
    RestoreRoot(HKEY_CURRENT_USER, kTestsKey);
}

MachineProxyConfig::MachineProxyConfig(const std::string& proxyList, const std::string& bypassList) {
    OverrideWithRecord(HKEY_LOCAL_MACHINE, kPrivateMachineKey, L"WinHttpSettings",
                       WinHttpSettings(proxyList, bypassList));
}

MachineProxyConfig::~MachineProxyConfig() {
    RestoreRoot(HKEY_LOCAL_MACHINE, kMachineTestsKey);
}

}  // namespace larkholm::testing
