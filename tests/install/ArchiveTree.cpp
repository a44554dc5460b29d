#include "tests/install/ArchiveTree.h"

#include <gtest/gtest.h>

#include <iterator>

#include "support/TextConvert.h"
#include "tests/testing/TempDir.h"

namespace larkholm::testing {

namespace fs = std::filesystem;

std::vector<ItemOutcome> ExtractAll(const std::string& archive, const char* password,
                                    const std::string& folder) {
    std::vector<ItemOutcome> outcomes;
    ZipHandle* handle = OpenArchive(AnsiToWide(archive), password);
    EXPECT_NE(handle, nullptr) << archive << ": " << LastZipResult();
    if (handle == nullptr) return outcomes;
    ZipEntryInfo count;
    EXPECT_EQ(GetEntry(handle, -1, count), kZipOk);
    for (std::int32_t i = 0; i < count.index; ++i) {
        ItemOutcome outcome;
        EXPECT_EQ(GetEntry(handle, i, outcome.info), kZipOk);
        outcome.result = ExtractEntry(handle, i, AnsiToWide(folder) + L"/" + outcome.info.name);
        EXPECT_EQ(LastZipResult(), outcome.result);
        outcomes.push_back(outcome);
    }
    EXPECT_EQ(CloseArchive(handle), kZipOk);
    return outcomes;
}

bool OwnerMayWrite(const fs::path& path) {
    return (fs::status(path).permissions() & fs::perms::owner_write) != fs::perms::none;
}

void ExpectSameTree(const fs::path& reference, const fs::path& ours) {
    std::size_t compared = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(reference)) {
        const fs::path relative = fs::relative(entry.path(), reference);
        const fs::path mine = ours / relative;
        SCOPED_TRACE(relative.string());
        ++compared;
        if (entry.is_directory()) {
            EXPECT_TRUE(fs::is_directory(fs::symlink_status(mine)));
            continue;
        }
        ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(mine)));
        EXPECT_EQ(fs::file_size(mine), entry.file_size());
        EXPECT_TRUE(ReadFile(mine) == ReadFile(entry.path()));
        EXPECT_EQ(fs::last_write_time(mine), entry.last_write_time());
        EXPECT_EQ(OwnerMayWrite(mine), OwnerMayWrite(entry.path()));
    }
    EXPECT_GT(compared, 0u);
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(ours), fs::recursive_directory_iterator()),
              std::ptrdiff_t(compared));
}

}  // namespace larkholm::testing
