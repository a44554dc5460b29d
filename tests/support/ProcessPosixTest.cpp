#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "support/platform/Process.h"
#include "tests/testing/Environment.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::Eventually;
using larkholm::testing::ReadFile;
using larkholm::testing::ScopedEnv;
using larkholm::testing::TempDir;

std::string Script(const TempDir& dir, const std::string& name, const std::string& body) {
    const std::string path = dir.WriteFile(name, "#!/bin/sh\n" + body + "\n");
    ::chmod(path.c_str(), 0700);
    return path;
}

TEST(RunProgramTest, WaitsForTheProgramAndPassesArguments) {
    TempDir dir;
    const std::string out = dir / "out.txt";
    const std::string script = Script(dir, "write.sh", "sleep 0.2; echo \"$1 $2\" > \"" + out + "\"; exit 3");
    EXPECT_EQ(RunProgram(script, "one two", true), 0u);  // the exit code is not read
    EXPECT_EQ(ReadFile(out), "one two\n");
    EXPECT_EQ(RunProgram(script, "", true), 0u);  // empty arguments, as the setup job passes
}

TEST(RunProgramTest, ReportsWhyAProgramCannotStart) {
    TempDir dir;
    EXPECT_EQ(RunProgram(dir / "missing.exe", "", true), std::uint32_t(ENOENT));
    const std::string notExecutable = dir.WriteFile("plain.sh", "#!/bin/sh\n");
    EXPECT_EQ(RunProgram(notExecutable, "", true), std::uint32_t(EACCES));
    EXPECT_EQ(RunProgram(dir.Path().string(), "", true), std::uint32_t(EACCES));
}

TEST(RunProgramTest, PortableExecutableWithoutWineCannotStart) {
    TempDir dir;
    const std::string exe = dir.WriteFile("setup.exe", "MZ\x90\x00 not really a program");
    ::chmod(exe.c_str(), 0700);
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    ::setenv("PATH", dir.Path().c_str(), 1);  // no wine here
    EXPECT_EQ(RunProgram(exe, "", true), std::uint32_t(ENOEXEC));
    ::setenv("PATH", saved.c_str(), 1);
}

// The wizard runs as root through sudo or pkexec; a link the operator clicks opens as that operator.
// A stand-in xdg-open on PATH records who ran it.
TEST(OpenLinkTest, ARootWizardOpensLinksAsTheUserWhoStartedIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "the wizard's case needs root";
    TempDir dir;
    ::chmod(dir.Path().c_str(), 0777);  // the stand-in runs as nobody and writes here
    Script(dir, "xdg-open",
           "echo \"$(id -u) $1\" > \"" + (dir / "opened.part") + "\"; mv \"" + (dir / "opened.part") +
               "\" \"" + (dir / "opened") + "\"");
    ::chmod((dir / "xdg-open").c_str(), 0755);
    const ScopedEnv path("PATH", dir.Path().string() + ":" + std::getenv("PATH"));
    const struct {
        const char* sudoUid;
        LinkOpening opening;
        const char* opener;
    } cases[] = {{"65534", LinkOpening::AsSignedInUser, "65534"}, {nullptr, LinkOpening::AsThisProcess, "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opener);
        std::filesystem::remove(dir / "opened");
        std::optional<ScopedEnv> sudo;
        if (c.sudoUid != nullptr) sudo.emplace("SUDO_UID", c.sudoUid);
        EXPECT_EQ(OpenLink(L"http://127.0.0.1:9/procotal.html"), c.opening);
        ASSERT_TRUE(Eventually([&] { return std::filesystem::exists(dir / "opened"); }));
        EXPECT_EQ(ReadFile(dir / "opened"), std::string(c.opener) + " http://127.0.0.1:9/procotal.html\n");
    }
}

TEST(ShellOpenTest, TheRecordingSeamSeesTheTarget) {
    std::wstring opened;
    SetShellOpenHandler([&](const std::wstring& target) {
        opened = target;
        return true;
    });
    EXPECT_TRUE(ShellOpen(L"/opt/Ostrelle/assist/assist.exe"));
    SetShellOpenHandler(nullptr);
    EXPECT_EQ(opened, L"/opt/Ostrelle/assist/assist.exe");
}

}  // namespace
