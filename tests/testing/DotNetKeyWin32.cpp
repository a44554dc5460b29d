#include <gtest/gtest.h>
#include <windows.h>

#include "tests/testing/DotNetKey.h"

namespace larkholm::testing {

namespace {

constexpr wchar_t kDotNetKey[] = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client";

}  // namespace

void WriteDotNetKey(const std::optional<std::wstring>& version) {
    HKEY key = nullptr;
    ASSERT_EQ(
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kDotNetKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    if (version) {
        const auto* data = reinterpret_cast<const BYTE*>(version->c_str());
        EXPECT_EQ(::RegSetValueExW(key, L"Version", 0, REG_SZ, data,
                                   DWORD((version->size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    ::RegCloseKey(key);
}

void RemoveDotNetKey() {
    const LSTATUS status = ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kDotNetKey);
    EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

}  // namespace larkholm::testing
