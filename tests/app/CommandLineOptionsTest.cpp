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

std::string Line(const std::vector<std::wstring>& arguments) {
    std::wstring line;
    for (const auto& argument : arguments) line += argument + L" ";
    return WideToUtf8(line);
}

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
        SCOPED_TRACE(Line(c.arguments));
        EXPECT_EQ(ParseCommandLine(c.arguments, fallback).logFile, c.logFile);
    }
}

TEST(CommandLineOptionsTest, UnattendedSwitchesFillTheRun) {
    const CommandLineOptions options = ParseCommandLine(
        {L"/verysilent", L"/SHOP=8001", L"/Dir=D:\\酒店 软件", L"/PASSWORDFILE=C:\\pw.txt", L"/NoLaunch"},
        L"default.log");
    EXPECT_EQ(options.run.mode, RunMode::kVerySilent);
    EXPECT_EQ(options.run.shop, L"8001");
    EXPECT_EQ(options.run.folder, L"D:\\酒店 软件");
    EXPECT_EQ(options.passwordFile, L"C:\\pw.txt");
    EXPECT_FALSE(options.run.launch);
    EXPECT_FALSE(options.run.uninstall);
    EXPECT_TRUE(options.run.password.empty());
    EXPECT_TRUE(options.problems.empty());

    const CommandLineOptions plain = ParseCommandLine({}, L"default.log");
    EXPECT_EQ(plain.run.mode, RunMode::kInteractive);
    EXPECT_TRUE(plain.run.launch);
    EXPECT_FALSE(plain.run.folder);

    EXPECT_EQ(ParseCommandLine({L"/VERYSILENT", L"/SILENT"}, L"").run.mode, RunMode::kSilent);
    EXPECT_TRUE(ParseCommandLine({L"/UNINSTALL", L"/SILENT"}, L"").run.uninstall);
    EXPECT_TRUE(ParseCommandLine({L"/?"}, L"").help);
    EXPECT_TRUE(ParseCommandLine({L"--HELP"}, L"").help);
}

TEST(CommandLineOptionsTest, RefusedArgumentsAreNamedButAPasswordNeverIs) {
    const struct {
        std::wstring argument;
        std::wstring problem;
    } cases[] = {
        {L"/PASSWORD=hunter2",
         L"A password on the command line is refused; use /PASSWORDFILE= or LARKHOLM_PASSWORD"},
        {L"/password", L"A password on the command line is refused; use /PASSWORDFILE= or LARKHOLM_PASSWORD"},
        {L"/SHOP=", L"The switch /SHOP= needs a value"},
        {L"/DIR", L"The switch /DIR needs a value"},
        {L"/PASSWORDFILE=", L"The switch /PASSWORDFILE= needs a value"},
        {L"/SILENTLY", L"Unknown argument: /SILENTLY"},
        {L"/SHOPS=1", L"Unknown argument: /SHOPS=1"},
        {L"extra", L"Unknown argument: extra"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.argument));
        EXPECT_EQ(ParseCommandLine({c.argument}, L"").problems, std::vector<std::wstring>{c.problem});
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
