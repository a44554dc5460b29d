#include <gtest/gtest.h>

#include "install/ZipEntryName.h"

namespace {

TEST(ZipEntryNameTest, SanitisingStripsDrivesRootsAndVisibleParentSteps) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"c:\\dir\\..\\sub\\..\\file.txt", L"file.txt"},  // drive, folder, two "\..\" steps
        {L"c:\\..\\..\\file.txt", L"file.txt"},
        {L"\\lead.txt", L"lead.txt"},
        {L"//server/share.txt", L"server/share.txt"},
        {L"a/../b.txt", L"b.txt"},
        {L"a\\../b.txt", L"b.txt"},
        {L"a/..\\b.txt", L"b.txt"},
        {L"d:/x/../y:/z.txt", L"z.txt"},  // a cut can uncover another drive prefix
        {L"x:", L""},
        {L"plain/name.txt", L"plain/name.txt"},
        {L"a/./b.txt", L"a/./b.txt"},
        // What the steps can't see stays, and is refused when written (below).
        {L"c:\\folder\\..\\..\\file.txt", L"..\\file.txt"},
        {L"x/../../climb.txt", L"../climb.txt"},
        {L"..", L".."},
        {L"a/..", L"a/.."},
    };
    for (const auto& [stored, sanitised] : cases) EXPECT_EQ(SanitiseEntryName(stored), sanitised) << stored;
}

TEST(ZipEntryNameTest, ResolvingRefusesNamesThatLeaveTheFolder) {
    using Components = std::vector<std::wstring>;
    const std::pair<std::wstring, std::optional<Components>> cases[] = {
        {L"a/b\\c.txt", Components{L"a", L"b", L"c.txt"}},
        {L"a/./b//c", Components{L"a", L"b", L"c"}},
        {L"a/b/../c", Components{L"a", L"c"}},
        {L"a/..", Components{}},
        {L"", Components{}},
        {L"..", std::nullopt},
        {L"..\\file.txt", std::nullopt},
        {L"a/../../x", std::nullopt},
        {L"./../x", std::nullopt},
    };
    for (const auto& [name, resolved] : cases) EXPECT_EQ(ResolveEntryName(name), resolved) << name;
}

}  // namespace
