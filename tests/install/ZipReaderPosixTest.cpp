#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <random>
#include <vector>

#include "install/ZipReader.h"
#include "support/TextConvert.h"
#include "support/platform/Module.h"
#include "tests/install/ArchiveTree.h"
#include "tests/install/ZipFixtures.h"
#include "tests/testing/Environment.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::ExpectSameTree;
using larkholm::testing::ExtractAll;
using larkholm::testing::ItemOutcome;
using larkholm::testing::MakeCraftedArchive;
using larkholm::testing::OwnerMayWrite;
using larkholm::testing::PatchArchive;
using larkholm::testing::ReadFile;
using larkholm::testing::RunShell;
using larkholm::testing::ShellQuote;
using larkholm::testing::TempDir;

constexpr char kPassword[] = "Vorlimbeck";

std::string SampleText(std::size_t size) {
    static const std::string words[] = {"hotel ", "net ", "cafe ", "server ", "shop ", "terminal ", "bill\n"};
    std::mt19937 random(7);
    std::string text;
    while (text.size() < size) text += words[random() % 7];
    return text;
}

std::string RandomBytes(std::size_t size) {
    std::mt19937 random(11);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = char(random());
    return bytes;
}

// Archives are read in a zone with summer time, so a DOS time read as UTC, or without the summer
// hour, shows as a wrong last-write time. `zip` and `unzip` run with the same zone.
class ZipReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* zone = std::getenv("TZ")) savedZone = zone;
        larkholm::testing::SetEnv("TZ", "EST5EDT,M3.2.0,M11.1.0");
        ::tzset();
    }
    void TearDown() override {
        if (savedZone)
            larkholm::testing::SetEnv("TZ", savedZone->c_str());
        else
            larkholm::testing::UnsetEnv("TZ");
        ::tzset();
    }

    // A small tree with text that spans many transfer buffers, incompressible bytes, an empty
    // file, a read-only file, an empty folder, and odd-second summer and winter times.
    std::string MakeSourceTree() const {
        const std::string source = scratch / "source";
        scratch.WriteFile("source/readme.txt", SampleText(200 * 1024));
        scratch.WriteFile("source/bin/random.bin", RandomBytes(70 * 1024));
        scratch.WriteFile("source/empty.txt", "");
        scratch.WriteFile("source/docs/sub/readonly.txt", "read me, don't change me\n");
        fs::create_directories(source + "/emptydir");
        const std::string q = ShellQuote(source);
        EXPECT_TRUE(
            RunShell("cd " + q + " && touch -m -d @1626371131 readme.txt bin/random.bin empty.txt && " +
                     "touch -m -d @1610736331 docs/sub/readonly.txt && chmod 0444 docs/sub/readonly.txt"));
        return source;
    }

    std::string UnzipReference(const std::string& archive) const {
        const std::string reference = scratch / "reference";
        // Leading bytes earn a warning (status 1) from unzip, which extracts all the same.
        EXPECT_TRUE(RunShell("unzip -qq -o -P " + std::string(kPassword) + " " + ShellQuote(archive) +
                             " -d " + ShellQuote(reference) + " 2>/dev/null; test $? -le 1"));
        return reference;
    }

    TempDir scratch;
    std::optional<std::string> savedZone;
};

// What an archive over 4 GiB holds: every size and the local header offset of each central
// directory header saturated (0xFFFFFFFF), the real values in a ZIP64 block. Applied to an archive
// of any size, for the reader that is the same archive.
constexpr char kSaturateCentralDirectory[] = R"(
end = data.rfind(b"PK\x05\x06")
size, offset = struct.unpack_from("<II", data, end + 12)
directory = bytearray()
at = offset
while at < offset + size:
    name, extra, comment = struct.unpack_from("<HHH", data, at + 28)
    header = bytearray(data[at:at + 46])
    compressed, uncompressed = struct.unpack_from("<II", header, 20)
    local = struct.unpack_from("<I", header, 42)[0]
    zip64 = struct.pack("<HHQQQ", 1, 24, uncompressed, compressed, local)
    struct.pack_into("<IIHH", header, 20, 0xFFFFFFFF, 0xFFFFFFFF, name, extra + len(zip64))
    struct.pack_into("<I", header, 42, 0xFFFFFFFF)
    rest = at + 46
    directory += header + data[rest:rest + name + extra] + zip64 + data[rest + name + extra:rest + name + extra + comment]
    at = rest + name + extra + comment
struct.pack_into("<I", data, end + 12, len(directory))
data[offset:offset + size] = directory
)";

TEST_F(ZipReaderTest, ArchivesOfTheCommonToolsExtractAsUnzipDoes) {
    const std::string source = MakeSourceTree();
    // A self-extracting program's bytes before the archive.
    const std::string stub = scratch.WriteFile("stub.exe", "MZ" + RandomBytes(5000));
    struct Case {
        const char* what;
        const char* command;  // run in the source tree; writes the archive to "$A" (the stub is "$S")
        const char* patch = nullptr;
    };
    const Case cases[] = {
        {"deflated", "zip -q -r \"$A\" ."},
        {"stored", "zip -q -0 -r \"$A\" ."},
        {"encrypted", "zip -q -P Vorlimbeck -r \"$A\" ."},
        {"no extra fields", "zip -q -X -r \"$A\" ."},
        // Written to a pipe, zip can't seek back: sizes and CRC follow the data (flag bit 3), and
        // the password check byte is the DOS time's.
        {"streamed, encrypted", "zip -q -P Vorlimbeck -r - . > \"$A\""},
        {"streamed, encrypted, stored, no extra fields", "zip -q -0 -X -P Vorlimbeck -r - . > \"$A\""},
        {"data descriptors", "zip -q -fd -r \"$A\" ."},
        // ZIP64 fields in every local header, whose 32-bit sizes read 0xFFFFFFFF, and ZIP64 end
        // records.
        {"ZIP64", "zip -q -fz -r \"$A\" ."},
        {"ZIP64, encrypted", "zip -q -fz -P Vorlimbeck -r \"$A\" ."},
        {"ZIP64, streamed, encrypted", "zip -q -fz -P Vorlimbeck -r - . > \"$A\""},
        {"ZIP64 after leading bytes",
         "zip -q -fz -P Vorlimbeck -r - . > \"$A.part\" && cat \"$S\" \"$A.part\" > \"$A\""},
        {"leading bytes", "zip -q -P Vorlimbeck -r - . > \"$A.part\" && cat \"$S\" \"$A.part\" > \"$A\""},
        {"ZIP64 sizes and offsets in the central directory", "zip -q -r \"$A\" .", kSaturateCentralDirectory},
        {"7-Zip", "7z a -tzip \"$A\" . > /dev/null"},
        {"7-Zip, encrypted", "7z a -tzip -pVorlimbeck \"$A\" . > /dev/null"},
        {"bsdtar", "bsdtar --format zip -cf \"$A\" ."},
        {"bsdtar, streamed, encrypted",
         "bsdtar --format zip --options zip:encryption=zipcrypt --passphrase Vorlimbeck -cf - . > \"$A\""},
        {"bsdtar, ZIP64, streamed",
         "bsdtar --format zip --options zip:zip64,zip:encryption=zipcrypt --passphrase Vorlimbeck -cf - . "
         "> \"$A\""},
        {"Python, ZIP64 local headers",
         "python3 -c 'import os, sys, zipfile\n"
         "with zipfile.ZipFile(sys.argv[1], \"w\", zipfile.ZIP_DEFLATED) as z:\n"
         "    for folder, _, names in os.walk(\".\"):\n"
         "        for name in names:\n"
         "            path = os.path.join(folder, name)\n"
         "            info = zipfile.ZipInfo.from_file(path)\n"
         "            info.compress_type = zipfile.ZIP_DEFLATED\n"
         "            with open(path, \"rb\") as f, z.open(info, \"w\", force_zip64=True) as out:\n"
         "                out.write(f.read())\n"
         "' \"$A\""},
    };
    int run = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string archive = scratch / ("archive" + std::to_string(run++) + ".zip");
        ASSERT_TRUE(RunShell("cd " + ShellQuote(source) + " && A=" + ShellQuote(archive) +
                             " S=" + ShellQuote(stub) + " && " + c.command));
        if (c.patch != nullptr) {
            ASSERT_TRUE(PatchArchive(scratch, archive, c.patch));
        }
        const std::string reference = UnzipReference(archive);
        const std::string ours = scratch / "ours";
        for (const ItemOutcome& item : ExtractAll(archive, kPassword, ours))
            EXPECT_EQ(item.result, kZipOk) << WideToUtf8(item.info.name);
        ExpectSameTree(reference, ours);
        fs::remove_all(reference);
        fs::remove_all(ours);
    }
    EXPECT_TRUE(RunShell("unzip -Zv " + ShellQuote(scratch / "archive4.zip") +
                         " | grep -q 'extended local header:.*yes'"));
}

TEST_F(ZipReaderTest, RecordsOfAUnixArchive) {
    const std::string source = MakeSourceTree();
    const std::string archive = scratch / "unix.zip";
    ASSERT_TRUE(RunShell("cd " + ShellQuote(source) + " && zip -q -r " + ShellQuote(archive) + " ."));
    ZipHandle* handle = OpenArchive(AnsiToWide(archive), nullptr);
    ASSERT_NE(handle, nullptr);
    ZipEntryInfo count;
    ASSERT_EQ(GetEntry(handle, -1, count), kZipOk);
    EXPECT_EQ(count.index, 8);
    EXPECT_TRUE(count.name.empty());
    EXPECT_EQ(count.uncSize, 0);
    std::map<std::wstring, ZipEntryInfo> byName;
    for (std::int32_t i = 0; i < count.index; ++i) {
        ZipEntryInfo info;
        ASSERT_EQ(GetEntry(handle, i, info), kZipOk);
        EXPECT_EQ(info.index, i);
        byName[info.name] = info;
    }
    EXPECT_EQ(byName[L"readme.txt"].attr, 0x20u);
    EXPECT_EQ(byName[L"readme.txt"].uncSize, std::int32_t(SampleText(200 * 1024).size()));
    EXPECT_LT(byName[L"readme.txt"].compSize, byName[L"readme.txt"].uncSize);
    EXPECT_EQ(byName[L"docs/sub/readonly.txt"].attr, 0x21u);
    EXPECT_EQ(byName[L"emptydir/"].attr, 0x30u);
    // The "UT" block of the central directory holds the exact last-write second; access and
    // creation keep the DOS time (which Info-ZIP rounds to even seconds).
    EXPECT_EQ(byName[L"readme.txt"].mtime, 1626371131 * 10000000ull + 116444736000000000ull);
    EXPECT_EQ(byName[L"readme.txt"].ctime, byName[L"readme.txt"].atime);
    EXPECT_NE(byName[L"readme.txt"].atime, byName[L"readme.txt"].mtime);
    EXPECT_EQ(CloseArchive(handle), kZipOk);
}

TEST_F(ZipReaderTest, DosHostArchiveWithWindowsNames) {
    const std::string archive = scratch / "dos.zip";
    ASSERT_TRUE(MakeCraftedArchive(scratch, archive, R"(
add("DOSDIR/", system=0, attr=0x10)
add("DOSDIR/readonly.txt", b"read only\r\n" * 500, system=0, attr=0x21)
add("DOSDIR/hidden.txt", b"hidden", system=0, attr=0x22, date=(2021, 1, 15, 13, 45, 30))
add("plain.txt", b"plain", system=11, attr=0x20, method=zipfile.ZIP_STORED)
)"));
    const std::string ours = scratch / "ours";
    const std::vector<ItemOutcome> items = ExtractAll(archive, nullptr, ours);
    ASSERT_EQ(items.size(), 4u);
    const std::uint32_t attrs[] = {0x10, 0x21, 0x22, 0x20};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].result, kZipOk);
        EXPECT_EQ(items[i].info.attr, attrs[i]);
    }
    // Without a "UT" block every time is the DOS time, and the file gets it as last access too
    // (checked before the comparison below reads the file).
    const ZipEntryInfo& hidden = items[2].info;
    EXPECT_EQ(hidden.mtime, (1610736330 + 11644473600ull) * 10000000ull);
    EXPECT_EQ(hidden.atime, hidden.mtime);
    EXPECT_TRUE(
        RunShell("test \"$(stat -c %X " + ShellQuote(ours + "/DOSDIR/hidden.txt") + ")\" = 1610736330"));
    ExpectSameTree(UnzipReference(archive), ours);
}

TEST_F(ZipReaderTest, ItemNamesAreSanitisedAndNeverLeaveTheFolder) {
    const std::string archive = scratch / "names.zip";
    ASSERT_TRUE(MakeCraftedArchive(scratch, archive, R"(
for name in ["c:\\dir\\..\\sub\\..\\drive.txt", "\\lead.txt", "/abs/rooted.txt", "win\\sub\\back.txt",
             "x/../../climb.txt", "c:\\folder\\..\\..\\climb2.txt", "..", "up/..", "a/./dot.txt",
             "nul.txt#/../../../outside.txt"]:
    add(name, b"data of " + name.encode())
add("wintree\\", system=0, attr=0x10)
)"));
    // zipfile won't store a NUL in a name; the patch puts one where the "#" is.
    ASSERT_TRUE(PatchArchive(scratch, archive, R"(data[:] = data.replace(b"nul.txt#", b"nul.txt\0"))"));
    const std::string ours = scratch / "work/out";
    fs::create_directories(ours);
    struct Expected {
        std::wstring name;
        ZipResult result;
    };
    const Expected expected[] = {
        {L"drive.txt", kZipOk},
        {L"lead.txt", kZipOk},
        {L"abs/rooted.txt", kZipOk},
        {L"win\\sub\\back.txt", kZipOk},
        {L"../climb.txt", kZipBadArguments},
        {L"..\\climb2.txt", kZipBadArguments},
        {L"..", kZipBadArguments},
        {L"up/..", kZipCannotOpen},  // names the folder itself: no file can be made there
        {L"a/./dot.txt", kZipOk},
        {L"nul.txt", kZipOk},
        {L"wintree\\", kZipOk},
    };
    const std::vector<ItemOutcome> items = ExtractAll(archive, nullptr, ours);
    ASSERT_EQ(items.size(), std::size(expected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].info.name, expected[i].name);
        EXPECT_EQ(items[i].result, expected[i].result) << WideToUtf8(expected[i].name);
    }
    for (const char* made :
         {"drive.txt", "lead.txt", "abs/rooted.txt", "win/sub/back.txt", "a/dot.txt", "nul.txt"})
        EXPECT_TRUE(fs::is_regular_file(ours + "/" + made)) << made;
    EXPECT_TRUE(fs::is_directory(ours + "/wintree"));
    EXPECT_EQ(ReadFile(ours + "/win/sub/back.txt"), "data of win\\sub\\back.txt");
    // Nothing beside the extraction folder: its parent holds only it.
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch / "work"), fs::directory_iterator()), 1);
}

// A legacy tool stores a name in its own code page and the UTF-8 name in a Unicode path block; a
// tool that renamed the item later left a block made for the old name, which no longer counts. A
// name longer than a record holds is never written under its first part.
TEST_F(ZipReaderTest, UnicodePathBlocksAndNamesBeyondTheRecord) {
    const std::string archive = scratch / "unicode.zip";
    ASSERT_TRUE(MakeCraftedArchive(scratch, archive, R"(
import struct, zlib
def up(stored, name):
    body = b"\x01" + struct.pack("<I", zlib.crc32(stored)) + name.encode()
    return struct.pack("<HH", 0x7075, len(body)) + body
add("legacy_.ini", b"one", extra=up(b"legacy_.ini", "\u914d\u7f6e.ini"))
add("renamed.ini", b"two", extra=up(b"before.ini", "\u65e7.ini"))
add("\u957f" * 300 + ".txt", b"three")
)"));
    const std::string ours = scratch / "ours";
    const std::vector<ItemOutcome> items = ExtractAll(archive, nullptr, ours);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].info.name, L"\u914D\u7F6E.ini");
    EXPECT_EQ(items[0].result, kZipOk);
    EXPECT_EQ(ReadFile(ours + "/\u914D\u7F6E.ini"), "one");
    EXPECT_EQ(items[1].info.name, L"renamed.ini");
    EXPECT_EQ(items[1].result, kZipOk);
    EXPECT_EQ(items[2].info.name, std::wstring(259, L'\u957F'));
    EXPECT_EQ(items[2].result, kZipCannotOpen);
    EXPECT_EQ(std::distance(fs::directory_iterator(ours), fs::directory_iterator()), 2);
}

TEST_F(ZipReaderTest, LinksAreNeitherMadeNorFollowed) {
    const std::string archive = scratch / "links.zip";
    scratch.WriteFile("source/a.txt", "target text");
    ASSERT_TRUE(RunShell("cd " + ShellQuote(scratch / "source") + " && ln -s a.txt link && zip -q -y " +
                         ShellQuote(archive) + " link"));
    ASSERT_TRUE(MakeCraftedArchive(scratch, scratch / "planted.zip", R"(
add("sub/evil.txt", b"evil")
add("file.txt", b"from the archive")
)"));
    const std::string ours = scratch / "ours";
    const std::string outside = scratch / "outside";
    const std::string victim = scratch.WriteFile("outside/victim.txt", "victim");
    fs::create_directories(ours);
    fs::create_directory_symlink(outside, ours + "/sub");
    fs::create_symlink(victim, ours + "/file.txt");

    // A Unix link item becomes a file holding the link's text.
    std::vector<ItemOutcome> items = ExtractAll(archive, nullptr, ours);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].result, kZipOk);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(ours + "/link")));
    EXPECT_EQ(ReadFile(ours + "/link"), "a.txt");

    // Links planted in the target lead nowhere: a linked folder refuses the item, a linked file is
    // replaced by the item instead of written through.
    items = ExtractAll(scratch / "planted.zip", nullptr, ours);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].result, kZipCannotOpen);
    EXPECT_FALSE(fs::exists(outside + "/evil.txt"));
    EXPECT_EQ(items[1].result, kZipOk);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(ours + "/file.txt")));
    EXPECT_EQ(ReadFile(ours + "/file.txt"), "from the archive");
    EXPECT_EQ(ReadFile(victim), "victim");
}

TEST_F(ZipReaderTest, PasswordIsCheckedBeforeTheTargetIsTouched) {
    scratch.WriteFile("source/secret.txt", SampleText(50000));
    const std::string archive = scratch / "secret.zip";
    // zip draws the encryption header at random, and one header in 256 lets a given wrong password
    // past the check byte into garbled data; the archive is made again until unzip refuses both.
    const std::string refuses = " | grep -q 'incorrect password'";
    const std::string makeArchive = "cd " + ShellQuote(scratch / "source") + " && rm -f " +
                                    ShellQuote(archive) + " && zip -q -P " + kPassword + " " +
                                    ShellQuote(archive) + " secret.txt";
    const std::string bothRefused = "unzip -t -P vorlimbeck " + ShellQuote(archive) + refuses +
                                    " && unzip -t -P '' " + ShellQuote(archive) + refuses;
    int tries = 0;
    while (!(RunShell(makeArchive) && RunShell(bothRefused))) ASSERT_LT(++tries, 50);
    const std::string target = scratch.WriteFile("ours/secret.txt", "previous content");
    for (const char* password : {"vorlimbeck", "", static_cast<const char*>(nullptr)}) {
        ZipHandle* handle = OpenArchive(AnsiToWide(archive), password);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(ExtractEntry(handle, 0, AnsiToWide(target)), kZipPassword)
            << (password ? password : "none");
        EXPECT_EQ(ReadFile(target), "previous content");
        EXPECT_EQ(ExtractEntry(handle, 0, AnsiToWide(scratch / "ours/fresh.txt")), kZipPassword);
        EXPECT_FALSE(fs::exists(scratch / "ours/fresh.txt"));
        CloseArchive(handle);
    }
    ZipHandle* handle = OpenArchive(AnsiToWide(archive), kPassword);
    EXPECT_EQ(ExtractEntry(handle, 0, AnsiToWide(target)), kZipOk);
    EXPECT_EQ(ReadFile(target), SampleText(50000));
    CloseArchive(handle);
}

TEST_F(ZipReaderTest, DamagedItemDataIsReportedNotWritten) {
    // Each archive holds one item "item.txt" whose local header starts at offset 0; the patch
    // damages it. Offsets: local header sizes at 18 (compressed) and 22 (uncompressed), method at
    // 8; the central header's at 20, 24 and 10.
    const std::string setup = R"(
add("item.txt", b"0123456789abcdef" * 4096, method=METHOD)
)";
    const std::string sizes = R"(
central = data.rfind(b"PK\x01\x02")
def set_sizes(compressed=None, uncompressed=None):
    for at, field in ((18, compressed), (22, uncompressed)):
        if field is not None:
            struct.pack_into("<I", data, at, field)
            struct.pack_into("<I", data, central + at + 2, field)
usize = struct.unpack_from("<I", data, 22)[0]
csize = struct.unpack_from("<I", data, 18)[0]
)";
    struct Case {
        const char* what;
        const char* method;
        std::string patch;
        ZipResult result;
    };
    const Case cases[] = {
        {"a stored byte changed", "zipfile.ZIP_STORED", "data[30 + 8 + 100] ^= 1", kZipCorrupt},
        {"declared size larger than the data", "zipfile.ZIP_DEFLATED",
         sizes + "set_sizes(uncompressed=usize + 1)", kZipCorrupt},
        {"declared size smaller than the data", "zipfile.ZIP_DEFLATED",
         sizes + "set_sizes(uncompressed=usize - 1)", kZipCorrupt},
        {"deflate stream cut short", "zipfile.ZIP_DEFLATED", sizes + "set_sizes(compressed=csize // 2)",
         kZipCorrupt},
        {"not a deflate stream", "zipfile.ZIP_DEFLATED", "data[30 + 8] = 0xFF", kZipFlateError},
        {"a method the reader doesn't know", "zipfile.ZIP_DEFLATED",
         "struct.pack_into('<H', data, 8, 14); struct.pack_into('<H', data, data.rfind(b'PK\\x01\\x02') + "
         "10, 14)",
         kZipCorrupt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string archive = scratch / "damaged.zip";
        std::string body = setup;
        body.replace(body.find("METHOD"), 6, c.method);
        ASSERT_TRUE(MakeCraftedArchive(scratch, archive, body));
        ASSERT_TRUE(PatchArchive(scratch, archive, c.patch));
        ZipHandle* handle = OpenArchive(AnsiToWide(archive), nullptr);
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(ExtractEntry(handle, 0, AnsiToWide(scratch / "ours/item.txt")), c.result);
        EXPECT_EQ(LastZipResult(), c.result);
        CloseArchive(handle);
    }
}

TEST_F(ZipReaderTest, RefusalsAndTheirCodes) {
    const std::string empty = scratch / "empty.zip";
    ASSERT_TRUE(MakeCraftedArchive(scratch, empty, ""));
    ZipHandle* handle = OpenArchive(AnsiToWide(empty), kPassword);
    ASSERT_NE(handle, nullptr);
    ZipEntryInfo info;
    info.index = 99;
    EXPECT_EQ(GetEntry(handle, -1, info), kZipOk);
    EXPECT_EQ(info.index, 0);
    for (const std::int32_t index : {0, -2, 1})
        EXPECT_EQ(GetEntry(handle, index, info), kZipBadArguments) << index;
    EXPECT_EQ(ExtractEntry(handle, 0, AnsiToWide(scratch / "x")), kZipBadArguments);
    EXPECT_EQ(CloseArchive(handle), kZipOk);

    // Missing, not an archive at all, and an archive cut short (its directory gone).
    const std::string source = scratch.WriteFile("source/a.txt", "a");
    ASSERT_TRUE(RunShell("cd " + ShellQuote(scratch / "source") + " && zip -q ../whole.zip a.txt"));
    const std::string cut = scratch / "cut.zip";
    fs::copy_file(scratch / "whole.zip", cut);
    fs::resize_file(cut, fs::file_size(cut) - 30);
    for (const std::string& path : {scratch / "missing.zip", scratch.WriteFile("junk.zip", RandomBytes(5000)),
                                    cut, scratch / "source"}) {
        RememberZipResult(kZipOk);
        EXPECT_EQ(OpenArchive(AnsiToWide(path), nullptr), nullptr) << path;
        EXPECT_EQ(LastZipResult(), kZipCannotOpen) << path;
    }

    // Null handles and handles of another kind are refused without being looked into.
    ZipHandle otherKind{2, nullptr};
    ZipHandle emptyReader{kZipReaderHandleKind, nullptr};
    const std::pair<ZipHandle*, ZipResult> handles[] = {
        {nullptr, kZipBadArguments}, {&otherKind, kZipWrongHandleKind}, {&emptyReader, kZipBadArguments}};
    for (const auto& [bad, code] : handles) {
        EXPECT_EQ(GetEntry(bad, -1, info), code);
        EXPECT_EQ(ExtractEntry(bad, 0, L"x"), code);
        EXPECT_EQ(CloseArchive(bad), code);
        EXPECT_EQ(LastZipResult(), code);
    }
}

TEST_F(ZipReaderTest, RelativeTargetsStayWithTheDirectoryOfOpening) {
    ASSERT_TRUE(MakeCraftedArchive(scratch, scratch / "rel.zip", R"(add("r.txt", b"relative"))"));
    const fs::path before = fs::current_path();
    fs::create_directories(scratch / "first");
    fs::create_directories(scratch / "second");
    ASSERT_TRUE(SetCurrentFolder(AnsiToWide(scratch / "first")));
    ZipHandle* handle = OpenArchive(L"../rel.zip", nullptr);
    ASSERT_TRUE(SetCurrentFolder(AnsiToWide(scratch / "second")));
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(ExtractEntry(handle, 0, L"out\\r.txt"), kZipOk);
    CloseArchive(handle);
    fs::current_path(before);
    EXPECT_EQ(ReadFile(scratch / "first/out/r.txt"), "relative");
    EXPECT_FALSE(fs::exists(scratch / "second/out"));
}

}  // namespace
