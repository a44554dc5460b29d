// The sandbox runs the tests as root, so a folder can be handed to another user as a standard user
// would have made it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "components/DownloadFolder.h"
#include "support/TextConvert.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/TempDir.h"

namespace {

using namespace larkholm::testing;

constexpr uid_t kNobody = 65534;

struct stat StatusOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

TEST(DownloadFolderTest, AFolderOthersMayChangeIsReplacedByAFreshOne) {
    const struct {
        const char* what;
        std::function<void(const std::string&)> plant;  // makes what was found at the wanted path
        bool used;
    } cases[] = {
        {"missing", [](const std::string&) {}, true},
        {"ours, 0755", [](const std::string& p) { ::mkdir(p.c_str(), 0755); }, true},
        {"writable by everyone",
         [](const std::string& p) {
             ::mkdir(p.c_str(), 0755);
             ::chmod(p.c_str(), 0777);
         },
         false},
        {"owned by another user",
         [](const std::string& p) {
             ::mkdir(p.c_str(), 0755);
             ASSERT_EQ(::chown(p.c_str(), kNobody, kNobody), 0);
         },
         false},
        {"a link to a good folder",
         [](const std::string& p) {
             ::mkdir((p + ".target").c_str(), 0755);
             ASSERT_EQ(::symlink((p + ".target").c_str(), p.c_str()), 0);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir programData;
        const std::string wanted = programData / "Ostrelle";
        c.plant(wanted);
        LogCapture log;
        const std::string used = WideToUtf8(PrepareDownloadFolder(Utf8ToWide(wanted)));
        ASSERT_FALSE(used.empty());
        EXPECT_EQ(used == wanted, c.used);
        const struct stat info = StatusOf(used);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_uid, ::geteuid());
        EXPECT_EQ(info.st_mode & 07777, 0755u);
        EXPECT_EQ(std::filesystem::path(used).parent_path(), programData.Path());
        EXPECT_EQ(log.Containing("a new folder beside it is used").size(), c.used ? 0u : 1u);
        if (!c.used) {
            EXPECT_EQ(log.Containing("Installers are downloaded to " + used).size(), 1u);
        }
    }
}

TEST(DownloadFolderTest, NoFolderWithoutAPlaceForIt) {
    TempDir programData;
    EXPECT_EQ(PrepareDownloadFolder(Utf8ToWide(programData / "missing/Ostrelle")), L"");
    EXPECT_EQ(PrepareDownloadFolder(L""), L"");
}

}  // namespace
