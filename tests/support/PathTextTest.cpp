#include "support/PathText.h"

#include <gtest/gtest.h>

namespace {

TEST(PathTextTest, RootPaths) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"/", true},           {L"\\", true},          {L"C:\\", true},           {L"c:", true},
        {L"D:/", true},         {L"\\\\", true},        {L"\\\\server", true},     {L"\\\\server\\share", true},
        {L"\\\\server\\share\\", true},                 {L"//server/share", true}, {L"C:\\Program Files", false},
        {L"C:\\\\", false},     {L"/opt", false},       {L"", false},              {L"..\\x", false},
        {L"\\\\server\\share\\dir", false},             {L"\\\\a\\\\b", false},    {L"1:\\", false},
    };
    for (const auto& [path, root] : cases) EXPECT_EQ(IsRootPath(path), root) << std::wstring(path);
    EXPECT_FALSE(IsRootPath(static_cast<const wchar_t*>(nullptr)));
}

TEST(PathTextTest, StripsExactlyOneTrailingSeparator) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"", L""}, {L"/", L""}, {L"C:\\a\\", L"C:\\a"}, {L"a//", L"a/"}, {L"a", L"a"}, {L"a/b/", L"a/b"},
    };
    for (auto [in, out] : cases) {
        StripTrailingSeparator(in);
        EXPECT_EQ(in, out);
    }
    std::string narrow = "x\\";
    StripTrailingSeparator(narrow);
    EXPECT_EQ(narrow, "x");
}

TEST(PathTextTest, JoinUsesTheNativeSeparator) {
    const std::wstring expectedWide = std::wstring(L"/opt/app") + kWidePathSeparator + L"Ostrelle";
    EXPECT_EQ(JoinPath(std::wstring(L"/opt/app"), L"Ostrelle"), expectedWide);
    EXPECT_EQ(JoinPath(std::string("a"), "b"), std::string("a") + kPathSeparator + "b");
    EXPECT_EQ(kPathSeparator, char(kWidePathSeparator));
}

}  // namespace
