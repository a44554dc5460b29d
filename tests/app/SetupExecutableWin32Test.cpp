// The Windows resources of larkholm-setup.exe, read back from the built program the way Windows
// reads them: the version information Explorer shows, the icon, and the manifest that asks for
// administrator rights, names the supported systems, brings Common Controls 6 and names the
// program's architecture. Where this build is not the 32-bit one we ship, the shipped program of
// the other build folder is read as well (LARKHOLM_SHIPPED_SETUP_EXE, empty otherwise).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TextConvert.h"

namespace {

const std::wstring kVersion = Utf8ToWide(LARKHOLM_SETUP_VERSION);

struct Executable {
    std::wstring path;
    std::string manifestArchitecture;
};

std::vector<Executable> ExecutablesToCheck() {
    std::vector<Executable> executables{
        {Utf8ToWide(LARKHOLM_SETUP_EXE), LARKHOLM_SETUP_MANIFEST_ARCHITECTURE}};
    if (const std::string shipped = LARKHOLM_SHIPPED_SETUP_EXE; !shipped.empty())
        executables.push_back({Utf8ToWide(shipped), "x86"});
    return executables;
}

class SetupExecutableWin32Test : public ::testing::TestWithParam<Executable> {};

INSTANTIATE_TEST_SUITE_P(Built, SetupExecutableWin32Test, ::testing::ValuesIn(ExecutablesToCheck()),
                         [](const auto& info) { return info.param.manifestArchitecture; });

TEST_P(SetupExecutableWin32Test, VersionInformationNamesTheProductAndItsVersion) {
    const DWORD size = ::GetFileVersionInfoSizeW(GetParam().path.c_str(), nullptr);
    ASSERT_GT(size, 0u) << "no version information, error " << ::GetLastError();
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(GetParam().path.c_str(), 0, size, block.data()));

    const auto text = [&](const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!::VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0)
            return std::wstring();
        return std::wstring(static_cast<const wchar_t*>(value));
    };
    EXPECT_EQ(text(L"ProductName"), L"Larkholm");
    EXPECT_EQ(text(L"FileDescription"), L"Larkholm server setup");
    EXPECT_EQ(text(L"ProductVersion"), kVersion);
    EXPECT_EQ(text(L"FileVersion"), kVersion);
    EXPECT_EQ(text(L"OriginalFilename"), L"larkholm-setup.exe");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                 std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                 std::to_wstring(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(numbers, kVersion);
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
}

TEST_P(SetupExecutableWin32Test, IconAndManifestAreEmbedded) {
    const HMODULE module = ::LoadLibraryExW(GetParam().path.c_str(), nullptr,
                                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "error " << ::GetLastError();

    // The window's large and small icons both come from the first icon group.
    for (const int size : {16, 32}) {
        const HANDLE icon = ::LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size << " px";
        if (icon) ::DestroyIcon(static_cast<HICON>(icon));
    }

    const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
    const std::string manifest(bytes, ::SizeofResource(module, found));
    for (const char* part : {
             R"(level="requireAdministrator")",
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
             R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
             // Sharp at every display scale: per-monitor v2, then v1, and system-aware on Windows 7.
             ">true/pm</dpiAware>",
             ">PerMonitorV2, PerMonitor</dpiAwareness>",
         }) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    // The program's own identity and the Common Controls it binds to both name its architecture.
    const auto count = [&](const std::string& part) {
        std::size_t found = 0;
        for (std::size_t at = manifest.find(part); at != std::string::npos; at = manifest.find(part, at + 1))
            ++found;
        return found;
    };
    const std::string architecture = "processorArchitecture=\"" + GetParam().manifestArchitecture + "\"";
    EXPECT_EQ(count(architecture), 2u) << architecture;
    EXPECT_EQ(count("processorArchitecture="), 2u);
    ::FreeLibrary(module);
}

}  // namespace
