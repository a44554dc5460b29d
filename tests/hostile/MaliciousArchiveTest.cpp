// Archives made to hurt: names that climb out, absolute and drive names, links, special modes,
// lying headers and zip bombs. Each is extracted the way the installer extracts the package (item
// by item into the extraction folder, stopping at the first failure); whatever the outcome,
// nothing may appear or change outside the install folder, and inside it only plain folders and
// files may appear.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "install/ExtractPackage.h"
#include "install/ZipResult.h"
#include "support/TextConvert.h"
#include "support/Thread.h"
#include "tests/install/ZipFixtures.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::MakeCraftedArchive;
using larkholm::testing::PatchArchive;
using larkholm::testing::ReadFile;
using larkholm::testing::RunShell;
using larkholm::testing::ShellQuote;
using larkholm::testing::TempDir;

// Failed extractions give the ZIP reader's code of the failing item, or -4 when the archive
// can't be opened at all.
constexpr std::int32_t kNotOpened = -4;

// Unpacks `archive` as the installation run does: the package "assist.zip" in the download folder
// into the install folder. Returns the run's `error`, after checking that the result agrees.
std::int32_t InstallPackage(const fs::path& downloadDir, const fs::path& installDir) {
    InstallJob job;
    job.installDir = AnsiToWide(installDir.string());
    job.downloadDir = AnsiToWide(downloadDir.string());
    job.files.resize(1);
    job.files[0].name = "assist.zip";
    Thread worker;  // never started: it only provides the pauses and the stop request
    const bool extracted = ExtractPackage(job, worker);
    EXPECT_EQ(extracted, job.error == 0);
    return job.error;
}

// Type, size and permissions of everything under `root`, except below `skipped`.
std::map<std::string, std::string> Snapshot(const fs::path& root, const fs::path& skipped) {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
        if (it->path() == skipped) {
            it.disable_recursion_pending();
            continue;
        }
        const fs::file_status status = it->symlink_status();
        std::string facts =
            std::to_string(int(status.type())) + " " + std::to_string(int(status.permissions()));
        if (fs::is_regular_file(status)) facts += " " + ReadFile(it->path().string());
        entries[fs::relative(it->path(), root).string()] = facts;
    }
    return entries;
}

// Below the install folder only folders and regular files, none of them set-user-id or -group.
void ExpectOnlyPlainEntries(const fs::path& folder) {
    if (!fs::exists(folder)) return;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        const fs::file_status status = entry.symlink_status();
        EXPECT_TRUE(fs::is_directory(status) || fs::is_regular_file(status)) << entry.path();
        EXPECT_EQ(status.permissions() & (fs::perms::set_uid | fs::perms::set_gid), fs::perms::none)
            << entry.path();
    }
}

// zipfile cuts names at a NUL; a placeholder byte stands in for it and is patched.
const std::string kNulPatch = R"(data[:] = data.replace(b"safe.txt#", b"safe.txt\0"))";

// patch(fmt, offset, value) rewrites a field of every local header (at `offset`) and central
// header (the same field lies two bytes further on).
const std::string kHeaderPatch = R"(
def headers():
    at = 0
    while True:
        at = data.find(b"PK", at)
        if at < 0: return
        if data[at:at + 4] == b"PK\x03\x04": yield at, 0
        if data[at:at + 4] == b"PK\x01\x02": yield at, 2
        at += 4
def patch(fmt, local, value):
    for at, shift in list(headers()):
        struct.pack_into(fmt, data, at + local + shift, value)
)";

// One central record per copy, all pointing at the first item's local header and data.
const std::string kSharedDataPatch = R"(
end = data.rfind(b"PK\x05\x06")
size, offset = struct.unpack_from("<II", data, end + 12)
record = bytes(data[offset:offset + size])
copies = b"".join(record.replace(b"b000", b"b%03d" % i) for i in range(500))
data[:] = data[:offset] + copies + data[end:]
struct.pack_into("<HHII", data, offset + len(copies) + 8, 500, 500, len(copies), offset)
)";

// The archive's first item (stored) quotes a whole second archive; a second central record points
// at the quoted local header, so the two items' data overlap.
const std::string kQuotedItemPatch = R"(
inner = data.find(b"PK\x03\x04", 4)
end = data.rfind(b"PK\x05\x06")
size, offset = struct.unpack_from("<II", data, end + 12)
fields = struct.unpack_from("<HHHHIIIH", data, inner + 6)
record = bytearray(data[offset:offset + 46])
struct.pack_into("<HHHHIIIHHHHHII", record, 8, *fields, 0, 0, 0, 0, 0, inner)
record += data[inner + 30:inner + 30 + fields[-1]]
data[:] = data[:offset + size] + record + data[end:]
struct.pack_into("<HHII", data, offset + size + len(record) + 8, 2, 2, size + len(record), offset)
)";

struct Case {
    const char* what;
    std::string archive;  // add(...) calls; "@OUTSIDE@" is the absolute path of the folder beside
    std::string patch;    // Python on the archive's bytes, or empty
    std::int32_t error;   // the code of the first item that fails, kNotOpened, or 0 when all went well
    std::map<std::string, std::string> files = {};  // expected below the extraction folder
};

class MaliciousArchiveTest : public ::testing::Test {
protected:
    TempDir scratch;
    const std::string install = scratch / "install";
    const std::string folder = scratch / "install/assist";
    const std::string outside = scratch / "outside";
};

TEST_F(MaliciousArchiveTest, NothingLeavesTheInstallFolder) {
    const std::string deep40 = [] {
        std::string name;
        for (int i = 0; i < 40; ++i) name += "../";
        return name;
    }();
    // Items of almost 4 GiB each (the most an item can declare here), more than the disk holds.
    const std::uintmax_t bombItems = fs::space(scratch.Path()).available / 0xFFFFFFFEull + 2;
    const Case cases[] = {
        // Names that climb.
        {"parent step", R"(add("../evil.txt", b"x"))", "", kZipBadArguments},
        {"forty parent steps", "add('" + deep40 + "deep.txt', b'deep')", "", kZipOk, {{"deep.txt", "deep"}}},
        {"forty-one parent steps", "add('" + deep40 + "../odd.txt', b'x')", "", kZipBadArguments},
        {"DOS-made backslash parent", R"(add("..\\dos.txt", b"x", system=0, attr=0x20))", "",
         kZipBadArguments},
        {"Unix-made backslash parent", R"(add("..\\unix.txt", b"x"))", "", kZipBadArguments},
        {"mixed separators",
         R"(
add("a\\b/c.txt", b"abc")
add("m/..\\..\\mixed.txt", b"mixed")
)",
         "",
         kZipOk,
         {{"a/b/c.txt", "abc"}, {"mixed.txt", "mixed"}}},
        {"mixed separators that climb", R"(add("q\\/..//..\\/x.txt", b"x"))", "", kZipBadArguments},
        // Absolute and drive names come out inside.
        {"absolute and drive names",
         R"(
add("@OUTSIDE@/abs.txt", b"abs")
add("C:\\drive.txt", b"1")
add("C:relative.txt", b"2")
add("C:/slash.txt", b"3")
add("\\\\server\\share\\unc.txt", b"4")
)",
         "",
         kZipOk,
         {{"drive.txt", "1"}, {"relative.txt", "2"}, {"slash.txt", "3"}, {"server/share/unc.txt", "4"}}},
        // The name that is checked is the name that is created.
        {"NUL inside the name",
         R"(add("safe.txt#/../../../outside/evil.txt", b"safe"))",
         kNulPatch,
         kZipOk,
         {{"safe.txt", "safe"}}},
        {"control characters",
         R"(add("ctl\x01\x1b[2J\t.txt", b"ctl"))",
         "",
         kZipOk,
         {{"ctl\x01\x1b[2J\t.txt", "ctl"}}},
        {"odd but harmless names",
         R"(
add("./", attr=0o40755 << 16)
add("a//b", b"ab")
add("./c/./d.txt", b"cd")
)",
         "",
         kZipOk,
         {{"a/b", "ab"}, {"c/d.txt", "cd"}}},
        {"empty name", R"(add("", b"x"))", "", kZipCannotOpen},
        {"dot as a file", R"(add(".", b"x"))", "", kZipCannotOpen},
        {"long name",
         "add('" + std::string(250, 'y') + "', b'y')",
         "",
         kZipOk,
         {{std::string(250, 'y'), "y"}}},
        {"overlong name", "add('" + std::string(300, 'z') + "', b'z')", "", kZipCannotOpen},
        {"overlong multibyte name", "add('" + std::string(100, 'A') + "'.replace('A', '\\u4e2d'), b'z')", "",
         kZipCannotOpen},
        {"duplicate names",
         R"(
add("dup.txt", b"first")
add("dup.txt", b"second")
)",
         "",
         kZipOk,
         {{"dup.txt", "second"}}},
        {"folder, then a file of its name", R"(
add("same/", attr=0o40755 << 16)
add("same", b"x")
)",
         "", kZipCannotOpen},
        {"file, then a folder of its name", R"(
add("same", b"x")
add("same/inner.txt", b"y")
)",
         "", kZipCannotOpen},
        // Links and special files come out as plain files; nothing is written through them.
        {"link",
         R"(add("link", b"../../outside", attr=0o120777 << 16))",
         "",
         kZipOk,
         {{"link", "../../outside"}}},
        {"relative link, then an item through it", R"(
add("link", b"../../outside", attr=0o120777 << 16)
add("link/evil.txt", b"evil")
)",
         "", kZipCannotOpen},
        {"absolute link, then an item through it", R"(
add("abslink", b"@OUTSIDE@", attr=0o120777 << 16)
add("abslink/evil.txt", b"evil")
)",
         "", kZipCannotOpen},
        {"set-user-id, FIFO and device modes",
         R"(
add("suid", b"#!/bin/sh\n", attr=0o104755 << 16)
add("fifo", b"f", attr=0o010644 << 16)
add("device", b"d", attr=0o020644 << 16)
add("sticky/", attr=0o41777 << 16)
)",
         "",
         kZipOk,
         {{"suid", "#!/bin/sh\n"}, {"fifo", "f"}, {"device", "d"}}},
        // Lying headers.
        {"UT blocks that lie about their length or are cut short",
         R"(
add("long.txt", b"l", extra=b"UT" + struct.pack("<HB", 0xFFFF, 7) + b"\x01\x02")
add("short.txt", b"s", extra=b"UT" + struct.pack("<HB", 13, 7) + b"\x01\x02\x03\x04")
add("tiny.txt", b"t", extra=b"UT\x01")
)",
         "",
         kZipOk,
         {{"long.txt", "l"}, {"short.txt", "s"}, {"tiny.txt", "t"}}},
        {"impossible DOS dates",
         R"(
add("all-ones.txt", b"1")
)",
         kHeaderPatch + "patch('<I', 10, 0xFFFFFFFF)",
         kZipOk,
         {{"all-ones.txt", "1"}}},
        {"zero DOS date",
         R"(add("zero.txt", b"0"))",
         kHeaderPatch + "patch('<I', 10, 0)",
         kZipOk,
         {{"zero.txt", "0"}}},
        {"wrong CRC", R"(add("crc.txt", b"checked" * 100))", kHeaderPatch + "patch('<I', 14, 0x12345678)",
         kZipCorrupt},
        {"declared size larger than the data", R"(add("big.txt", b"data" * 100))",
         kHeaderPatch + "patch('<I', 22, 401)", kZipCorrupt},
        {"declared size smaller than the data", R"(add("small.txt", b"data" * 100))",
         kHeaderPatch + "patch('<I', 22, 399)", kZipCorrupt},
        {"local header names another method", R"(add("method.txt", b"data" * 100))",
         "struct.pack_into('<H', data, 8, 0)", kZipCorrupt},
        {"local header with another name of the same length",
         R"(add("good.txt", b"good"))",
         R"(data[30:38] = b"../e.txt")",
         kZipOk,
         {{"good.txt", "good"}}},
        {"truncated archive", R"(add("cut.txt", b"cut" * 1000))", "data[:] = data[:len(data) // 2]",
         kNotOpened},
        // Zip bombs.
        {"one data block behind many records", R"(add("b000.txt", b"\0" * 100000))", kSharedDataPatch,
         kNotOpened},
        {"an item quoted inside another", R"(
import io
inner = io.BytesIO()
with zipfile.ZipFile(inner, "w") as quoted:
    quoted.writestr("q.txt", b"\0" * 100000)
add("outer.bin", inner.getvalue(), method=zipfile.ZIP_STORED)
)",
         kQuotedItemPatch, kNotOpened},
        {"declared content beyond the free space",
         "for i in range(" + std::to_string(bombItems) + "): add('bomb%d' % i, b'x')",
         kHeaderPatch + "patch('<I', 22, 0xFFFFFFFE)", kZipWriteFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(install);
        fs::remove_all(outside);
        scratch.WriteFile("outside/victim.txt", "victim");
        fs::create_directories(scratch / "download");
        const std::string archive = scratch / "download/assist.zip";
        std::string body = c.archive;
        for (std::size_t at; (at = body.find("@OUTSIDE@")) != std::string::npos;)
            body.replace(at, 9, outside);
        ASSERT_TRUE(MakeCraftedArchive(scratch, archive, body));
        if (!c.patch.empty()) {
            ASSERT_TRUE(PatchArchive(scratch, archive, c.patch));
        }

        const auto before = Snapshot(scratch.Path(), install);
        EXPECT_EQ(InstallPackage(scratch / "download", install), c.error);
        EXPECT_EQ(Snapshot(scratch.Path(), install), before);
        ExpectOnlyPlainEntries(install);
        // A failed extraction takes the whole install folder away again.
        EXPECT_EQ(fs::exists(install), c.error == 0);
        for (const auto& [name, content] : c.files) EXPECT_EQ(ReadFile(folder + "/" + name), content) << name;
    }
}

}  // namespace
