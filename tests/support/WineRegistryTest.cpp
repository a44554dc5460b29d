#include "support/WineRegistry.h"

#include <gtest/gtest.h>

namespace {

const char* kHive = R"(WINE REGISTRY Version 2
;; All keys relative to REGISTRY\\Machine

#arch=win64

[Software\\Microsoft\\Windows NT\\CurrentVersion] 1796869445
#time=1dd884d871dcc20
"CurrentBuild"="7601"
"ProgramFilesPath"=str(2):"%ProgramFiles%"
"BitLength"=dword:00000010
"Blob"=hex:01,02,\
  03,04
@="C:\\windows\\system32\\xaudio2_4.dll"
"Quoted \"name\""="say \"hi\""
"Chinese"="\x4e2d\x6587"

[Software\\Broken
"Orphan"="ignored"
)";

TEST(WineRegistryTest, ReadsStringValuesOfKeys) {
    const auto hive = WineRegistry::Parse(kHive);
    const std::wstring key = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
    EXPECT_TRUE(hive.HasKey(key));
    EXPECT_TRUE(hive.HasKey(L"SOFTWARE\\microsoft\\windows nt\\currentversion"));
    EXPECT_EQ(hive.ReadString(key, L"CurrentBuild"), L"7601");
    EXPECT_EQ(hive.ReadString(key, L"currentbuild"), L"7601");
    EXPECT_EQ(hive.ReadString(key, L"ProgramFilesPath"), L"%ProgramFiles%");
    EXPECT_EQ(hive.ReadString(key, L""), L"C:\\windows\\system32\\xaudio2_4.dll");
    EXPECT_EQ(hive.ReadString(key, L"Quoted \"name\""), L"say \"hi\"");
    EXPECT_EQ(hive.ReadString(key, L"Chinese"), L"中文");
}

TEST(WineRegistryTest, NonStringMissingAndMalformedReadAsAbsent) {
    const auto hive = WineRegistry::Parse(kHive);
    const std::wstring key = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
    EXPECT_EQ(hive.ReadString(key, L"BitLength"), std::nullopt);
    EXPECT_EQ(hive.ReadString(key, L"Blob"), std::nullopt);
    EXPECT_EQ(hive.ReadString(key, L"Missing"), std::nullopt);
    EXPECT_EQ(hive.ReadString(L"Software\\Nope", L"x"), std::nullopt);
    EXPECT_FALSE(hive.HasKey(L"Software\\Broken"));
    EXPECT_FALSE(WineRegistry::Parse("").HasKey(L"Software"));
}

}  // namespace
