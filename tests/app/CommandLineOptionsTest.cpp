#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLineOptions.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/FileSystemPath.h"

namespace {

TEST(CommandLineOptionsTest, LogSwitchInTheFormsInstallersAccept) {
    const std::wstring fallback = L"default.log";
    const struct {
        std::vector<std::wstring> arguments;
        std::optional<std::wstring> logFile;
    } cases[] = {
        {{}, std::nullopt},
        {{L"/LOG"}, fallback},
        {{L"/log"}, fallback},
        {{L"/Log="}, fallback},
        {{L"/LOG=C:\\logs\\安装 日志.log"}, L"C:\\logs\\安装 日志.log"},
        {{L"/log=setup.log"}, L"setup.log"},
        {{L"/LOG=first.log", L"/LOG=second.log"}, L"second.log"},
        {{L"/LOG=a.log", L"/LOG"}, fallback},
        {{L"/LOGGING"}, std::nullopt},
        {{L"LOG"}, std::nullopt},
        {{L"-log"}, std::nullopt},
        {{L"/S", L"/log=x.log", L"extra"}, L"x.log"},
    };
    for (const auto& c : cases) {
        std::wstring line;
        for (const auto& argument : c.arguments) line += argument + L" ";
        SCOPED_TRACE(WideToUtf8(line));
        EXPECT_EQ(ParseCommandLine(c.arguments, fallback).logFile, c.logFile);
    }
}

// Compared with the C++ library's own idea of the temporary folder (%TEMP% through GetTempPathW on
// Windows, $TMPDIR or /tmp on Linux).
TEST(CommandLineOptionsTest, DefaultLogFileLiesInTheTemporaryFolder) {
    std::wstring temp = AnsiToWide(Utf8FromPath(std::filesystem::temp_directory_path()));
    StripTrailingSeparator(temp);
    EXPECT_EQ(DefaultLogFile(), JoinPath(temp, L"larkholm-setup.log"));
}

}  // namespace
