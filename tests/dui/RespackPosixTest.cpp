// The resource packer, a build-time tool that runs on the build machine (so these cases run on
// Linux only): what it makes of an index, and the indexes it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;

class Respack : public ::testing::Test {
protected:
    // Runs the packer on `index`; its exit status.
    int Pack(const std::string& index) {
        dir.WriteFile("index", index);
        const char* build = std::getenv("LARKHOLM_TEST_BINARY_DIR");
        const std::string tool = std::string(build ? build : ".") + "/tools/respack/respack";
        const std::string command =
            tool + " " + (dir / "index") + " " + (dir / "out.cpp") + " pkgTest 2>" + (dir / "err");
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool Made() const { return std::filesystem::exists(dir / "out.cpp"); }

    TempDir dir;
};

TEST_F(Respack, WritesEveryEntryUnderTheGivenSymbol) {
    dir.WriteFile("a.xml", "<a/>");
    dir.WriteFile("sub/empty.bin", "");
    ASSERT_EQ(Pack("# comment\n\nXML SYS_A a.xml\n  Bin  Empty   sub/empty.bin  \n"), 0);
    const std::string source = ReadFile(dir / "out.cpp");
    EXPECT_NE(source.find("SResPackage pkgTest{kEntries, 2, nullptr};"), std::string::npos);
    EXPECT_NE(source.find("{\"XML\", \"SYS_A\", kData0, 4}"), std::string::npos);
    EXPECT_NE(source.find("{\"Bin\", \"Empty\", nullptr, 0}"), std::string::npos);
    EXPECT_NE(source.find(" 60, 97, 47, 62,"), std::string::npos);  // "<a/>"
}

TEST_F(Respack, RefusesBrokenIndexes) {
    dir.WriteFile("a.xml", "<a/>");
    const char* cases[] = {
        "XML SYS_A missing.xml\n",             // no such file
        "XML SYS_A a.xml\nxml sys_a a.xml\n",  // the same resource twice, in another case
        "XML SYS_A\n",                         // no file
        "XML SYS_A a.xml extra\n",             // a field too many
    };
    for (const char* index : cases) {
        EXPECT_EQ(Pack(index), 1) << index;
        EXPECT_FALSE(Made()) << index;
        EXPECT_FALSE(ReadFile(dir / "err").empty()) << index;
    }
}

}  // namespace
