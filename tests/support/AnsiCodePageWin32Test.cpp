#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/TextConvert.h"

namespace {

// Characters the code page lacks must not be "best fitted" to look-alikes: a fullwidth full stop
// or solidus would otherwise become "." or "/".
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

}  // namespace
