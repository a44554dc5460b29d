// Writing a key into a hive in Wine's text format: read back through WineRegistry, the rest of the
// hive kept byte for byte, and removal taking the key's subkeys but not its look-alike siblings.
#include <gtest/gtest.h>

#include "support/WineHiveText.h"
#include "support/WineRegistry.h"

namespace {

constexpr char kHive[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\Machine\n\n"
    "#arch=win64\n\n"
    "[Software\\\\Other] 1700000000\n"
    "#time=1da0000000000000\n"
    "\"Kept\"=\"as it was\"\n\n"
    "[Software\\\\Uninstall\\\\Larkholm] 1600000000\n"
    "\"Stale\"=\"from an earlier install\"\n\n"
    "[Software\\\\Uninstall\\\\Larkholm\\\\Sub] 1600000000\n"
    "\"X\"=dword:00000001\n\n"
    "[Software\\\\Uninstall\\\\Larkholm2] 1600000000\n"
    "\"Y\"=\"sibling\"\n";

TEST(WineHiveTextTest, AKeyIsReplacedAndReadsBackWhileTheRestStaysAsItWas) {
    const std::wstring odd = L"C:\\Program Files\\\"酒店\" 😀\ttab";
    const std::string hive = WithKey(
        kHive, L"Software\\Uninstall\\Larkholm",
        {RegistryValue::Text(L"DisplayName", L"Larkholm"), RegistryValue::Text(L"InstallLocation", odd),
         RegistryValue::Number(L"EstimatedSize", 0x2800)},
        1709647629);
    const WineRegistry registry = WineRegistry::Parse(hive);
    EXPECT_EQ(registry.ReadString(L"Software\\Uninstall\\Larkholm", L"DisplayName"), L"Larkholm");
    const auto location = registry.ReadString(L"software\\uninstall\\larkholm", L"InstallLocation");
#if WCHAR_MAX > 0xFFFF
    // Wine stores UTF-16 units; the emoji reads back as its surrogate pair.
    EXPECT_EQ(location,
              std::wstring(L"C:\\Program Files\\\"酒店\" ") + wchar_t(0xD83D) + wchar_t(0xDE00) + L"\ttab");
#else
    EXPECT_EQ(location, odd);
#endif
    EXPECT_FALSE(registry.ReadString(L"Software\\Uninstall\\Larkholm", L"Stale"));
    EXPECT_FALSE(registry.HasKey(L"Software\\Uninstall\\Larkholm\\Sub"));
    EXPECT_EQ(registry.ReadString(L"Software\\Uninstall\\Larkholm2", L"Y"), L"sibling");
    EXPECT_NE(hive.find("\"EstimatedSize\"=dword:00002800\n"), std::string::npos);
    EXPECT_NE(hive.find("[Software\\\\Uninstall\\\\Larkholm] 1709647629\n#time="), std::string::npos);
    // Everything before the replaced key is untouched.
    const std::string before(kHive, std::string_view(kHive).find("[Software\\\\Uninstall\\\\Larkholm]"));
    EXPECT_EQ(hive.compare(0, before.size(), before), 0);
    EXPECT_TRUE(IsHiveOf64BitPrefix(hive));
    EXPECT_FALSE(IsHiveOf64BitPrefix("WINE REGISTRY Version 2\n#arch=win32\n"));
}

TEST(WineHiveTextTest, RemovingAKeyTakesItsSubkeysAndNothingElse) {
    const std::string hive = WithoutKey(kHive, L"SOFTWARE\\Uninstall\\Larkholm");
    const WineRegistry registry = WineRegistry::Parse(hive);
    EXPECT_FALSE(registry.HasKey(L"Software\\Uninstall\\Larkholm"));
    EXPECT_FALSE(registry.HasKey(L"Software\\Uninstall\\Larkholm\\Sub"));
    EXPECT_TRUE(registry.HasKey(L"Software\\Uninstall\\Larkholm2"));
    EXPECT_EQ(registry.ReadString(L"Software\\Other", L"Kept"), L"as it was");
    // Written and removed again: the hive is what it was without the key.
    EXPECT_EQ(WithoutKey(WithKey(hive, L"Software\\New", {}, 1), L"Software\\New").find("New"),
              std::string::npos);
    EXPECT_EQ(WithoutKey(hive, L"Software\\Absent"), hive);
}

}  // namespace
