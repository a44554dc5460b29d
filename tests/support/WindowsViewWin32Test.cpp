#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/platform/WindowsView.h"

namespace {

// A scratch key under HKEY_LOCAL_MACHINE\Software, removed from both registry views afterwards.
class RegistryWin32Test : public ::testing::Test {
protected:
    void TearDown() override {
        for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
            ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), view, 0);
    }

    // Stores `bytes` as the value `name` of the scratch key in `view`.
    void SetValue(REGSAM view, const wchar_t* name, DWORD type, const void* bytes, DWORD size) {
        HKEY handle = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr,
                                    &handle, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(::RegSetValueExW(handle, name, 0, type, static_cast<const BYTE*>(bytes), size),
                  ERROR_SUCCESS);
        ::RegCloseKey(handle);
    }
    void SetText(REGSAM view, const wchar_t* name, DWORD type, const std::wstring& text) {
        SetValue(view, name, type, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
    }

    const std::wstring key = L"Software\\LarkholmTest-" + std::to_wstring(::GetCurrentProcessId());
};

TEST_F(RegistryWin32Test, ReadsTextValuesOnly) {
    constexpr REGSAM kOwnView = 0;
    SetText(kOwnView, L"Version", REG_SZ, L"4.0.30319");
    SetText(kOwnView, L"Expandable", REG_EXPAND_SZ, L"%SystemRoot%\\system32");
    SetText(kOwnView, L"Empty", REG_SZ, L"");
    SetValue(kOwnView, L"Unterminated", REG_SZ, L"4.5", 3 * sizeof(wchar_t));
    const DWORD four = 4;
    SetValue(kOwnView, L"Number", REG_DWORD, &four, sizeof four);
    SetValue(kOwnView, L"Binary", REG_BINARY, L"4.0", 4 * sizeof(wchar_t));
    SetValue(kOwnView, L"List", REG_MULTI_SZ, L"4.0\0\0", 5 * sizeof(wchar_t));

    EXPECT_TRUE(HklmKeyExists(key));
    EXPECT_FALSE(HklmKeyExists(key + L"\\Missing"));
    const struct {
        const wchar_t* value;
        std::optional<std::wstring> read;
    } cases[] = {
        {L"Version", L"4.0.30319"},
        {L"version", L"4.0.30319"},
        {L"Expandable", L"%SystemRoot%\\system32"},
        {L"Empty", L""},
        {L"Unterminated", L"4.5"},
        {L"Number", std::nullopt},
        {L"Binary", std::nullopt},
        {L"List", std::nullopt},
        {L"Missing", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadHklmString(key, c.value), c.read) << c.value;
    EXPECT_EQ(ReadHklmString(key + L"\\Missing", L"Version"), std::nullopt);
}

// Keys are read in the program's own view: for the 32-bit program we ship on 64-bit Windows, the one
// below Wow6432Node.
TEST_F(RegistryWin32Test, ReadsTheProgramsOwnView) {
    constexpr bool k64BitProgram = sizeof(void*) == 8;
    BOOL wow64 = FALSE;
    if (!k64BitProgram && (!::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64))
        GTEST_SKIP() << "one registry view only on a 32-bit system";
    const REGSAM ownView = k64BitProgram ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    const REGSAM otherView = k64BitProgram ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
    SetText(otherView, L"Version", REG_SZ, L"4.0.30319");
    EXPECT_FALSE(HklmKeyExists(key));
    EXPECT_EQ(ReadHklmString(key, L"Version"), std::nullopt);
    SetText(ownView, L"Version", REG_SZ, L"4.5.1");
    EXPECT_EQ(ReadHklmString(key, L"Version"), L"4.5.1");
}

// What the shell gives this process, the same as its environment says (for a 32-bit process on
// 64-bit Windows, "Program Files (x86)").
TEST(ShellFoldersWin32Test, AreThoseOfThisProcess) {
    const std::wstring programData = CommonAppDataFolder(), programFiles = ProgramFilesFolder();
    EXPECT_EQ(programData, _wgetenv(L"ALLUSERSPROFILE"));
    EXPECT_EQ(programFiles, _wgetenv(L"ProgramFiles"));
    EXPECT_TRUE(std::filesystem::is_directory(programData));
    EXPECT_TRUE(std::filesystem::is_directory(programFiles));
    EXPECT_EQ(MapWindowsPath("c:\\windows\\system32\\WindowsCodecs.dll"),
              "c:\\windows\\system32\\WindowsCodecs.dll");
}

}  // namespace
