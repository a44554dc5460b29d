#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"
#include "tests/testing/TempDir.h"

namespace {

// Characters the code page lacks must not be "best fitted" to look-alikes: a fullwidth full stop
// or solidus in an archive item's name would otherwise become "." or "/" on its way to the file
// system.
TEST(AnsiCodePageWin32Test, LookAlikesNeverBecomeDotsOrSeparators) {
    if (::GetACP() == CP_UTF8) GTEST_SKIP() << "a UTF-8 code page lacks no character";
    const std::string ansi = WideToAnsi(L"\uFF0E\uFF0E\uFF0Fx\u2215y\uFF3C");
    EXPECT_EQ(ansi.find_first_of("./\\"), std::string::npos) << ansi;
}

TEST(AnsiCodePageWin32Test, TextOfTheCodePageRoundTrips) {
    const std::wstring text = L"C:\\Program Files\\Ostrelle\\assist.exe";
    EXPECT_EQ(AnsiToWide(WideToAnsi(text)), text);
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiToWide(""), L"");
}

// Paths made from ANSI text name the file the system's own ANSI calls name, also outside ASCII,
// where the C++ library would read the narrow text otherwise.
TEST(AnsiCodePageWin32Test, FileSystemPathsNameWhatTheAnsiTextNames) {
    std::string name;
    for (const wchar_t* candidate : {L"\u20AC", L"\u00E9", L"\u4E2D", L"\u0416"}) {
        const std::string ansi = WideToAnsi(candidate);
        if (AnsiToWide(ansi) == candidate) {
            name = ansi + ".txt";
            break;
        }
    }
    if (name.empty()) GTEST_SKIP() << "the code page has none of the candidate characters";
    larkholm::testing::TempDir dir;
    const std::string file = dir.Path().string() + "\\" + name;
    const HANDLE created = ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    ::CloseHandle(created);
    EXPECT_TRUE(std::filesystem::is_regular_file(PathFromAnsi(file)));
    EXPECT_EQ(AnsiFromPath(std::filesystem::directory_iterator(dir.Path())->path().filename()), name);
}

}  // namespace
