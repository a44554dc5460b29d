// Archive items whose names are hostile somewhere: device names, streams, trailing dots and
// blanks, device and UNC prefixes, drive forms, climbs, look-alike separators. Each platform may
// extract or refuse a given name, but no byte may land outside the install folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "install/ZipReader.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;

std::uint32_t Crc32(const std::string& data) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char byte : data) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// A ZIP of stored items named exactly as given (flagged UTF-8), made by Unix with mode 0644, so
// names no archiver would write reach the reader unchanged on every platform.
std::string StoredArchive(const std::vector<std::pair<std::string, std::string>>& items) {
    constexpr std::uint32_t kUtf8Names = 0x800, kMadeByUnix = 0x031E, kMode0644 = 0644u << 16;
    std::string local, central;
    for (const auto& [name, data] : items) {
        const std::uint32_t offset = std::uint32_t(local.size());
        Put(local, 0x04034b50, 4);
        Put(local, 20, 2), Put(local, kUtf8Names, 2), Put(local, 0, 2), Put(local, 0, 4);
        Put(local, Crc32(data), 4), Put(local, std::uint32_t(data.size()), 4),
            Put(local, std::uint32_t(data.size()), 4);
        Put(local, std::uint32_t(name.size()), 2), Put(local, 0, 2);
        local += name + data;
        Put(central, 0x02014b50, 4);
        Put(central, kMadeByUnix, 2), Put(central, 20, 2), Put(central, kUtf8Names, 2), Put(central, 0, 2);
        Put(central, 0, 4), Put(central, Crc32(data), 4);
        Put(central, std::uint32_t(data.size()), 4), Put(central, std::uint32_t(data.size()), 4);
        Put(central, std::uint32_t(name.size()), 2), Put(central, 0, 2), Put(central, 0, 2),
            Put(central, 0, 2);
        Put(central, 0, 2), Put(central, kMode0644, 4), Put(central, offset, 4);
        central += name;
    }
    std::string archive = local + central;
    Put(archive, 0x06054b50, 4), Put(archive, 0, 2), Put(archive, 0, 2);
    Put(archive, std::uint32_t(items.size()), 2), Put(archive, std::uint32_t(items.size()), 2);
    Put(archive, std::uint32_t(central.size()), 4), Put(archive, std::uint32_t(local.size()), 4),
        Put(archive, 0, 2);
    return archive;
}

// Every path below `root` (folders too), relative and with "/" separators.
std::set<std::string> Tree(const fs::path& root, const fs::path& skip) {
    std::set<std::string> paths;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path() == skip) {
            it.disable_recursion_pending();
            continue;
        }
        paths.insert(fs::relative(it->path(), root).generic_string());
    }
    return paths;
}

// Makes `folder` the current directory for the scope, so names read as relative or
// drive-relative land where the test looks.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const fs::path& folder) : saved(fs::current_path()) {
        fs::current_path(folder);
    }
    ~CurrentDirectory() { fs::current_path(saved); }

private:
    fs::path saved;
};

TEST(HostileNamesTest, NoItemLandsOutsideTheInstallFolder) {
    TempDir sandbox;
    const fs::path install = sandbox.Path() / "install";
    sandbox.WriteFile("outside/keep.txt", "keep");
    sandbox.WriteFile("cwd/.keep", "");
    // Escapes aimed at absolute places carry the sandbox's unique name, so nothing else can match.
    const std::string t = sandbox.Path().filename().string();
    const std::string fullwidthClimb = "\xEF\xBC\x8E\xEF\xBC\x8E\xEF\xBC\x8F";  // "．．／"
    const std::vector<std::string> hostile = {
        // Devices, with and without extensions, in any case.
        "CON",
        "nul.txt",
        "Aux.tar.gz",
        "com1",
        "LPT9.log",
        "CON .txt",
        "dir/PRN/x.txt",
        "COM\xC2\xB9.txt",
        // Streams.
        "file.txt:stream",
        "file.txt::$DATA",
        "dir:stream/x.txt",
        // Names Win32 would store under another name.
        "trailing.",
        "trailing ",
        "dots./x.txt",
        "blank /x.txt",
        // Device, UNC, drive and rooted forms.
        "\\\\?\\C:\\" + t + ".txt",
        "//?/C:/" + t + ".txt",
        "\\\\?\\UNC\\127.0.0.1\\c$\\" + t + ".txt",
        "\\\\127.0.0.1\\c$\\" + t + ".txt",
        "\\\\.\\C:\\" + t + ".txt",
        "C:" + t + ".txt",
        "C:\\" + t + ".txt",
        "/" + t + "/x.txt",
        "\\" + t + ".txt",
        // Climbs, plain and through look-alike characters.
        "../" + t + ".txt",
        "..\\" + t + ".txt",
        "a/../../" + t + ".txt",
        "..",
        fullwidthClimb + t + ".txt",
        // Characters Win32 refuses.
        "ctrl\x01.txt",
        "a<b>.txt",
        "q?.txt",
        "star*.txt",
        "pipe|.txt",
        "quote\".txt",
    };
    std::vector<std::pair<std::string, std::string>> items = {{"ok/plain.txt", "plain"}};
    for (const std::string& name : hostile) items.emplace_back(name, name);
    const std::string archive = sandbox.WriteFile("package.zip", StoredArchive(items));
    const std::set<std::string> before = Tree(sandbox.Path(), install);

    {
        CurrentDirectory cwd(sandbox.Path() / "cwd");
        ZipHandle* zip = OpenArchive(AnsiToWide(archive), nullptr);
        ASSERT_NE(zip, nullptr) << LastZipResult();
        ZipEntryInfo count;
        ASSERT_EQ(GetEntry(zip, -1, count), kZipOk);
        ASSERT_EQ(count.index, std::int32_t(items.size()));
        for (std::int32_t i = 0; i < count.index; ++i) {
            ZipEntryInfo item;
            if (GetEntry(zip, i, item) != kZipOk) continue;
            const ZipResult result = ExtractEntry(zip, i, JoinPath(AnsiToWide(install.string()), item.name));
            if (i == 0) {
                EXPECT_EQ(result, kZipOk);  // an ordinary item beside them still extracts
            }
        }
        CloseArchive(zip);
    }

    EXPECT_EQ(ReadFile((install / "ok" / "plain.txt").string()), "plain");
    EXPECT_EQ(Tree(sandbox.Path(), install), before);
    for (const std::string& escape : {"/" + t, "/" + t + ".txt", "C:/" + t + ".txt"})
        EXPECT_FALSE(fs::exists(escape)) << escape;
    for (auto it = fs::recursive_directory_iterator(install); it != fs::recursive_directory_iterator(); ++it)
        EXPECT_TRUE(it->is_directory() || it->is_regular_file()) << it->path();
}

}  // namespace
