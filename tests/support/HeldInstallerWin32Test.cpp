// The Authenticode proof on the programs tests/testing/sign-test-programs.sh signed for this run,
// whose trusted root is in the prefix's machine ROOT store.
#include <windows.h>
// <windows.h> stays first; what follows may need what it defines.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/TextConvert.h"
#include "support/platform/HeldInstaller.h"
#include "tests/testing/AcceptedInstaller.h"

namespace {

using namespace larkholm::testing;

constexpr char kTestSigner[] = "Larkholm Test Signer";

TEST(HeldInstallerWin32Test, OnlyAnIntactProgramOfTheConfiguredSignerProvesItself) {
    const struct {
        const char* program;
        const char* signer;
        bool proves;
    } cases[] = {
        {"signed.exe", kTestSigner, true},
        {"time-stamped.exe", kTestSigner, true},
        {"larkholm-setup.signed.exe", kTestSigner, true},
        {"signed.exe", "Microsoft Corporation", false},
        {"unsigned.exe", kTestSigner, false},
        {"flipped.exe", kTestSigner, false},
        {"other-signer.exe", kTestSigner, false},
        {"unknown-authority.exe", kTestSigner, false},
        {"expired.exe", kTestSigner, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.program) + " for " + c.signer);
        HeldInstaller installer;
        ASSERT_EQ(installer.Open(SignedProgram(c.program)), 0u);
        std::string problem;
        EXPECT_EQ(installer.Proves({c.signer, ""}, problem), c.proves) << problem;
        // What Wine answers for each, for the record of which checks it really makes.
        std::printf("%-26s %-22s %s\n", c.program, c.signer, problem.empty() ? "proven" : problem.c_str());
    }
}

TEST(HeldInstallerWin32Test, SignatureAndPinAreBothNeeded) {
    HeldInstaller installer;
    ASSERT_EQ(installer.Open(SignedProgram("signed.exe")), 0u);
    const std::string digest = installer.Sha256Hex();
    ASSERT_EQ(digest.size(), 64u);
    std::string problem;
    EXPECT_TRUE(installer.Proves({kTestSigner, digest}, problem)) << problem;
    EXPECT_FALSE(installer.Proves({kTestSigner, std::string(64, '0')}, problem));
    EXPECT_NE(problem.find("differs from the pinned"), std::string::npos);
    EXPECT_FALSE(installer.Proves({"", digest}, problem));  // a pin alone is no proof on Windows
}

// While held, nobody can write to the installer, rename it or delete it; it can still be read and
// started.
TEST(HeldInstallerWin32Test, AHeldInstallerCannotBeChangedButCanStart) {
    const std::wstring path = Utf8ToWide(SignedProgram("signed.exe"));
    HeldInstaller installer;
    ASSERT_EQ(installer.Open(WideToUtf8(path)), 0u);
    EXPECT_EQ(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(::DeleteFileW(path.c_str()));
    EXPECT_FALSE(::MoveFileW(path.c_str(), (path + L".moved").c_str()));
    const HANDLE reader =
        ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_EXECUTE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    ::CloseHandle(reader);
}

}  // namespace
