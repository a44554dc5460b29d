#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"
#include "tests/testing/TempDir.h"

namespace {

// A UTF-8 path names the file the system's wide calls name, whatever the ANSI code page holds:
// characters of the basic plane and beyond it (a surrogate pair in UTF-16), Chinese and Latin.
TEST(FileSystemPathWin32Test, Utf8PathsNameWhatTheWideNameNames) {
    for (const wchar_t* name :
         {L"\u914D\u7F6E.ini", L"\U00020000.txt", L"\U0001F37A.txt", L"caf\u00E9.txt"}) {
        SCOPED_TRACE(WideToUtf8(name));
        larkholm::testing::TempDir dir;
        const std::wstring wide = dir.Path().wstring() + L"\\" + name;
        const HANDLE created = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(created, INVALID_HANDLE_VALUE);
        ::CloseHandle(created);

        const std::string utf8 = WideToUtf8(wide);
        EXPECT_TRUE(std::filesystem::is_regular_file(PathFromUtf8(utf8)));
        EXPECT_EQ(Utf8FromPath(std::filesystem::directory_iterator(dir.Path())->path().filename()),
                  WideToUtf8(name));
        std::FILE* file = OpenCFile(utf8, "ab+");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(std::fputs("x", file), 1);
        std::fclose(file);
        EXPECT_EQ(std::filesystem::file_size(PathFromUtf8(utf8)), 1u);
    }
}

}  // namespace
