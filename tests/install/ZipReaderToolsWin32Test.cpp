// The archives of the common ZIP tools, made with their reference extractions on the build host
// (tests/install/fixtures/make-tool-archives.sh): Windows has none of these tools at run time.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "install/ExtractPackage.h"
#include "support/TextConvert.h"
#include "tests/install/ArchiveTree.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace larkholm::testing;

TEST(ZipReaderToolsTest, ArchivesOfTheCommonToolsExtractAsUnzipDoes) {
    const char* const cases[] = {
        "deflated", "stored", "encrypted", "no-extra-fields", "streamed-encrypted", "streamed-encrypted-stored",
        "data-descriptors", "zip64", "zip64-encrypted", "zip64-streamed-encrypted", "zip64-leading-bytes",
        "leading-bytes", "7z", "7z-encrypted", "bsdtar", "bsdtar-streamed-encrypted", "bsdtar-zip64-streamed",
    };
    const fs::path fixtures = fs::absolute(LARKHOLM_TOOL_ARCHIVE_DIR);
    for (const char* name : cases) {
        SCOPED_TRACE(name);
        TempDir ours;
        const fs::path archive = fixtures / (std::string(name) + ".zip");
        ASSERT_TRUE(fs::is_regular_file(archive));
        for (const ItemOutcome& item : ExtractAll(archive.string(), kPackagePassword, ours.Path().string()))
            EXPECT_EQ(item.result, kZipOk) << WideToUtf8(item.info.name);
        ExpectSameTree(fixtures / (std::string(name) + ".ref"), ours.Path());
    }
}

}  // namespace
