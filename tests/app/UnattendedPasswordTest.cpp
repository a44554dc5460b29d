// The password of an unattended install: from the password file's first line or from
// LARKHOLM_PASSWORD, and the variable gone from the environment afterwards in every case.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "app/UnattendedPassword.h"
#include "support/TextConvert.h"
#include "tests/testing/Environment.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::SetEnv;
using larkholm::testing::TempDir;
using larkholm::testing::UnsetEnv;

TEST(UnattendedPasswordTest, ComesFromTheFileOrTheVariableAndTheVariableIsRemoved) {
    TempDir temp;
    const std::wstring file =
        AnsiToWide(temp.WriteFile("pw.txt", "\xEF\xBB\xBFsecret 密码\r\nsecond line\n"));
    const std::wstring noEnd = AnsiToWide(temp.WriteFile("no-end.txt", "plain"));
    const std::wstring emptyLine = AnsiToWide(temp.WriteFile("empty.txt", "\r\nsecret\n"));
    const std::wstring missing = AnsiToWide(temp / "missing.txt");
    const struct {
        const char* what;
        std::optional<std::wstring> file;
        const char* variable;
        std::optional<std::wstring> password;
        std::wstring problem;
    } cases[] = {
        {"file", file, nullptr, L"secret 密码", L""},
        {"file over variable", file, "from-env", L"secret 密码", L""},
        {"file without a line end", noEnd, nullptr, L"plain", L""},
        {"variable", std::nullopt, "from-env 变量", L"from-env 变量", L""},
        {"missing file, variable set", missing, "from-env", std::nullopt,
         L"The password file " + missing + L" cannot be read"},
        {"empty first line", emptyLine, nullptr, std::nullopt,
         L"The password file " + emptyLine + L" holds no password on its first line"},
        {"neither", std::nullopt, nullptr, std::nullopt,
         L"No password: give /PASSWORDFILE= or set LARKHOLM_PASSWORD"},
        {"empty variable", std::nullopt, "", std::nullopt,
         L"No password: give /PASSWORDFILE= or set LARKHOLM_PASSWORD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.variable) SetEnv("LARKHOLM_PASSWORD", c.variable);
        std::wstring problem;
        EXPECT_EQ(ReadUnattendedPassword(c.file, problem), c.password);
        EXPECT_EQ(problem, c.problem);
        EXPECT_EQ(std::getenv("LARKHOLM_PASSWORD"), nullptr);
        UnsetEnv("LARKHOLM_PASSWORD");
    }
}

}  // namespace
