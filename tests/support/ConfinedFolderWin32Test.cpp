#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/platform/ConfinedFolder.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/FileHolder.h"
#include "tests/testing/TempDir.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::FastClock;
using larkholm::testing::FileHolder;
using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;

// Every path below `root`, relative, with "/" separators.
std::set<std::string> Tree(const fs::path& root) {
    std::set<std::string> paths;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it)
        paths.insert(fs::relative(it->path(), root).generic_string());
    return paths;
}

bool WriteWhole(ConfinedFolder& folder, const std::string& name, const std::string& text, FileAccess access) {
    OutputFile file = folder.CreateChildFile(name, access);
    return file.IsOpen() && file.Write(text.data(), text.size()) && file.Close();
}

// The mount-point layout of REPARSE_DATA_BUFFER, which only the driver kit's headers declare.
struct MountPointReparse {
    DWORD tag;
    WORD dataLength;
    WORD reserved;
    WORD substituteOffset;
    WORD substituteLength;
    WORD printOffset;
    WORD printLength;
    wchar_t names[512];
};

// Makes `link` a junction to the folder `target`, as mklink /J does; false where the system can't.
bool MakeJunction(const fs::path& link, const fs::path& target) {
    if (!::CreateDirectoryW(link.c_str(), nullptr)) return false;
    const std::wstring substitute = L"\\??\\" + fs::absolute(target).wstring();
    MountPointReparse reparse{};
    reparse.tag = IO_REPARSE_TAG_MOUNT_POINT;
    reparse.substituteLength = WORD(substitute.size() * sizeof(wchar_t));
    reparse.printOffset = WORD(reparse.substituteLength + sizeof(wchar_t));
    std::memcpy(reparse.names, substitute.c_str(), reparse.substituteLength);
    reparse.dataLength = WORD(8 + reparse.printOffset + sizeof(wchar_t));
    const HANDLE handle = ::CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    const bool made = ::DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, &reparse, 8 + reparse.dataLength,
                                        nullptr, 0, &returned, nullptr);
    ::CloseHandle(handle);
    return made && (::GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

TEST(ConfinedFolderWin32Test, RefusesNamesWindowsWouldNotStoreAsWritten) {
    TempDir dir;
    ConfinedFolder folder = ConfinedFolder::OpenRoot(dir.Path().string());
    ASSERT_TRUE(folder.IsOpen());
    for (const char* name : {"CON",    "con",  "nul.txt",  "Aux.tar.gz", "PRN", "COM1",     "com9.log",
                             "LPT1",   "lpt9", "CON .txt", "CONIN$",     "a:b", "f::$DATA", "dot.",
                             "blank ", "...",  "a\\b",     "a/b",        "a<b", "a>b",      "a\"b",
                             "a|b",    "a?b",  "a*b",      "ctrl\x01",   "C:",  "..",       ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(folder.CreateChildFile(name, FileAccess::Writable).IsOpen());
        EXPECT_FALSE(folder.EnterChild(name));
    }
    EXPECT_EQ(Tree(dir.Path()), std::set<std::string>{});
    // Near misses are ordinary names.
    for (const char* name : {"CONSOLE.txt", "nul-free", "COM10", "LPT", "x.CON", ".hidden", "a b.c"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(WriteWhole(folder, name, name, FileAccess::Writable));
        EXPECT_EQ(ReadFile((dir.Path() / name).string()), name);
    }
}

TEST(ConfinedFolderWin32Test, RootIsADrivePathOrARelativeOne) {
    TempDir dir;
    const std::string full = dir.Path().string();  // "C:\...\larkholm-test-..."
    ASSERT_TRUE(full.size() > 3 && full[1] == ':');
    const std::string drive = full.substr(0, 2), rooted = full.substr(2);
    const fs::path saved = fs::current_path();
    fs::current_path(dir.Path());  // where a drive-relative or relative root would land

    EXPECT_TRUE(ConfinedFolder::OpenRoot(drive + "\\").IsOpen());
    EXPECT_TRUE(ConfinedFolder::OpenRoot(full + "\\made/here\\").IsOpen());
    EXPECT_TRUE(ConfinedFolder::OpenRoot("relative\\one").IsOpen());
    for (const std::string& root :
         {"\\\\?\\" + full + "\\device", "\\\\.\\" + full + "\\device", "//?/" + full + "/device",
          "\\\\127.0.0.1\\" + full.substr(0, 1) + "$" + rooted + "\\unc", rooted + "\\rooted",
          drive + "drive-relative", full + "\\CON\\x", full + "\\name:stream", full + "\\dot.\\x",
          std::string()}) {
        EXPECT_FALSE(ConfinedFolder::OpenRoot(root).IsOpen()) << root;
    }
    fs::current_path(saved);
    EXPECT_EQ(Tree(dir.Path()), (std::set<std::string>{"made", "made/here", "relative", "relative/one"}));
}

TEST(ConfinedFolderWin32Test, NeverWritesThroughAJunction) {
    TempDir dir;
    fs::create_directories(dir.Path() / "root");
    fs::create_directories(dir.Path() / "outside");
    if (!MakeJunction(dir.Path() / "root" / "link", dir.Path() / "outside"))
        GTEST_SKIP() << "this system cannot make junctions";
    ConfinedFolder folder = ConfinedFolder::OpenRoot((dir.Path() / "root").string());
    ASSERT_TRUE(folder.IsOpen());
    EXPECT_FALSE(folder.EnterChild("link"));
    // A file of that name replaces the junction itself.
    EXPECT_TRUE(WriteWhole(folder, "link", "inside", FileAccess::Writable));
    EXPECT_EQ(ReadFile((dir.Path() / "root" / "link").string()), "inside");
    EXPECT_EQ(Tree(dir.Path() / "outside"), std::set<std::string>{});
}

// A name must be the entry itself. Another entry's short 8.3 alias leads to that entry, and so
// would a Unix symbolic link under Wine, which shows no reparse attribute; both are refused.
TEST(ConfinedFolderWin32Test, NeverReachesAnotherEntryThroughItsShortName) {
    TempDir dir;
    const fs::path longFolder = dir.Path() / "Long Folder Name";
    fs::create_directories(longFolder);
    const std::string longFile = dir.WriteFile("Long File Name.txt", "kept");
    const auto shortName = [](const fs::path& path) {
        wchar_t shortPath[MAX_PATH] = {};
        return ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH) > 0
                   ? fs::path(shortPath).filename().string()
                   : path.filename().string();
    };
    const std::string folderAlias = shortName(longFolder), fileAlias = shortName(longFile);
    if (folderAlias == longFolder.filename().string()) GTEST_SKIP() << "no short names on this volume";
    ConfinedFolder folder = ConfinedFolder::OpenRoot(dir.Path().string());
    ASSERT_TRUE(folder.IsOpen());
    EXPECT_FALSE(folder.EnterChild(folderAlias)) << folderAlias;
    EXPECT_FALSE(folder.CreateChildFile(fileAlias, FileAccess::Writable).IsOpen()) << fileAlias;
    EXPECT_EQ(ReadFile(longFile), "kept");
    EXPECT_EQ(Tree(dir.Path()), (std::set<std::string>{"Long File Name.txt", "Long Folder Name"}));
}

TEST(ConfinedFolderWin32Test, ReplacesReadOnlyAndHardLinkedFilesWithoutWritingThroughThem) {
    TempDir dir;
    const std::string outside = dir.WriteFile("outside.txt", "secret");
    fs::create_directories(dir.Path() / "root");
    const fs::path linked = dir.Path() / "root" / "linked.txt";
    ASSERT_TRUE(::CreateHardLinkW(linked.c_str(), fs::path(outside).c_str(), nullptr));
    ConfinedFolder folder = ConfinedFolder::OpenRoot((dir.Path() / "root").string());
    ASSERT_TRUE(folder.IsOpen());

    EXPECT_TRUE(WriteWhole(folder, "linked.txt", "new", FileAccess::Writable));
    EXPECT_EQ(ReadFile(linked.string()), "new");
    EXPECT_EQ(ReadFile(outside), "secret");

    EXPECT_TRUE(WriteWhole(folder, "ro.txt", "first", FileAccess::ReadOnly));
    const fs::path readOnly = dir.Path() / "root" / "ro.txt";
    EXPECT_TRUE(::GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(WriteWhole(folder, "ro.txt", "second", FileAccess::Writable));
    EXPECT_EQ(ReadFile(readOnly.string()), "second");
    EXPECT_FALSE(::GetFileAttributesW(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);

    // A folder of that name stays, and the file is refused.
    fs::create_directories(dir.Path() / "root" / "sub");
    EXPECT_FALSE(folder.CreateChildFile("sub", FileAccess::Writable).IsOpen());
    EXPECT_TRUE(fs::is_directory(dir.Path() / "root" / "sub"));
}

TEST(ConfinedFolderWin32Test, FilesGetTheirTimes) {
    TempDir dir;
    ConfinedFolder folder = ConfinedFolder::OpenRoot(dir.Path().string());
    OutputFile file = folder.CreateChildFile("timed.txt", FileAccess::Writable);
    ASSERT_TRUE(file.IsOpen());
    constexpr std::uint64_t kAccess = 132709059300000000, kWrite = 132000000000000000;  // 2021, 2019
    EXPECT_TRUE(file.SetTimes(kAccess, kWrite));
    EXPECT_TRUE(file.Close());
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExW((dir.Path() / "timed.txt").c_str(), GetFileExInfoStandard, &data));
    const auto asNumber = [](FILETIME t) { return std::uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime; };
    EXPECT_EQ(asNumber(data.ftLastWriteTime), kWrite);
    EXPECT_EQ(asNumber(data.ftLastAccessTime), kAccess);
}

// A file another program holds without letting it be deleted (a scanner, the running program) is
// waited for: one let go within about two seconds is replaced, one held longer fails the write and
// stays as it was.
TEST(ConfinedFolderWin32Test, AFileHeldByAnotherProgramIsWaitedForBeforeItIsReplaced) {
    TempDir dir;
    ConfinedFolder folder = ConfinedFolder::OpenRoot(dir.Path().string());
    ASSERT_TRUE(folder.IsOpen());
    const fs::path held = dir.WriteFile("held.dll", "old");
    {
        FileHolder holder(held, 500);  // on the real clock: let go well within the wait
        EXPECT_TRUE(WriteWhole(folder, "held.dll", "new", FileAccess::Writable));
        EXPECT_TRUE(holder.Released());
    }
    EXPECT_EQ(ReadFile(held), "new");

    FastClock fastClock;
    FileHolder holder(held, 60000);
    EXPECT_FALSE(WriteWhole(folder, "held.dll", "newer", FileAccess::Writable));
    ASSERT_TRUE(holder.Release());
    EXPECT_EQ(ReadFile(held), "new");
}

}  // namespace
