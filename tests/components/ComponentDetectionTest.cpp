#include <gtest/gtest.h>

#include <string>

#include "components/ComponentDetection.h"
#include "components/ComponentTable.h"
#include "components/FileNameFromPath.h"
#include "support/Config.h"

namespace {

TEST(ComponentDetectionTest, FileNameFromPath) {
    const struct {
        std::string text;
        std::string withExtension;
        std::string withoutExtension;
    } cases[] = {
        {"http://h/software/wic_x86_chs.exe", "wic_x86_chs.exe", "wic_x86_chs"},
        {"http://h/a.b/archive.tar.gz", "archive.tar.gz", "archive.tar"},
        {"C:\\dir\\setup.exe", "C:\\dir\\setup.exe", "C:\\dir\\setup"},  // only "/" separates
        {"http://h/setup.exe?v=2", "", ""},                              // the extension must end the text
        {"http://h/a.b/setup", "", ""},
        {"http://h/p/.exe", ".exe", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameFromPath(c.text, true), c.withExtension) << c.text;
        EXPECT_EQ(FileNameFromPath(c.text, false), c.withoutExtension) << c.text;
    }
}

TEST(ComponentDetectionTest, TableQueuesWicFirst) {
    const auto table = ComponentTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].id, kComponentWic);
    EXPECT_EQ(table[0].installerUrl, WicInstallerUrl());
    EXPECT_EQ(table[0].isInstalled, &IsWicInstalled);
    EXPECT_EQ(table[1].id, kComponentDotNet4);
    EXPECT_EQ(table[1].installerUrl, DotNetInstallerUrl());
    EXPECT_EQ(table[1].isInstalled, &IsDotNet4Installed);
    EXPECT_EQ(FindComponent(table, 3), nullptr);
}

}  // namespace
