// The download folder under ProgramData, where users may create folders: one planted with rights
// for others is not used. What the system stores as the folder's security is read back.
#include <windows.h>
// Need what <windows.h> defines, so they stay after it.
#include <aclapi.h>
#include <sddl.h>
// GoogleTest after the system headers.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "components/DownloadFolder.h"
#include "support/Config.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempProgramData.h"

namespace {

using namespace larkholm::testing;

// The folder's owner and DACL in SDDL; empty when they cannot be read.
std::wstring SecurityOf(const std::wstring& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return {};
    wchar_t* text = nullptr;
    ::ConvertSecurityDescriptorToStringSecurityDescriptorW(
        descriptor, SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text, nullptr);
    const std::wstring sddl = text != nullptr ? text : L"";
    ::LocalFree(text);
    ::LocalFree(descriptor);
    return sddl;
}

bool CreateFolderWith(const std::wstring& path, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr))
        return false;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const bool created = ::CreateDirectoryW(path.c_str(), &attributes) != FALSE;
    ::LocalFree(descriptor);
    return created;
}

constexpr wchar_t kOurs[] = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

// Whether the file system keeps the security a folder is made with. Windows does; Wine (without
// its staging patches) shows one made from the Unix mode bits instead, owned by the user's account.
bool KeepsFolderSecurity(const std::filesystem::path& parent) {
    const std::wstring probe = (parent / L"security-probe").wstring();
    if (!CreateFolderWith(probe, kOurs)) return false;
    const std::wstring stored = SecurityOf(probe);
    ::RemoveDirectoryW(probe.c_str());
    return stored.find(L"O:BA") != std::wstring::npos && stored.find(kOurs + 3) != std::wstring::npos;
}

TEST(DownloadFolderWin32Test, AFolderOthersMayChangeIsReplacedByAFreshOne) {
    const bool kept = KeepsFolderSecurity(TempProgramData().Path());
    std::printf("this system %s the security a folder is made with\n", kept ? "keeps" : "does not keep");
    const struct {
        const char* what;
        const wchar_t* planted;  // nullptr: nothing there
        bool used;
    } cases[] = {
        {"missing", nullptr, true},
        // Under Wine it reads back as writable by the user's account, and is replaced.
        {"made as the wizard makes it", kOurs, kept},
        {"users may add files (ProgramData's inherited rights)", L"D:(A;OICI;FA;;;BU)", false},
        {"everyone has full control", L"D:P(A;OICI;FA;;;WD)(A;OICI;FA;;;BA)", false},
        {"no DACL at all", L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TempProgramData programData;
        const std::wstring wanted = (programData.Path() / kProductFolderName).wstring();
        if (c.planted != nullptr) {
            ASSERT_TRUE(CreateFolderWith(wanted, c.planted));
        }
        LogCapture log;
        const std::wstring used = PrepareDownloadFolder(wanted);
        ASSERT_FALSE(used.empty());
        EXPECT_EQ(used == wanted, c.used) << SecurityOf(wanted);
        EXPECT_EQ(std::filesystem::path(used).parent_path(), programData.Path());
        const std::wstring stored = SecurityOf(used);
        if (kept) {
            EXPECT_NE(stored.find(kOurs + 3), std::wstring::npos) << stored;
        }
        EXPECT_EQ(log.Containing("a new folder beside it is used").size(), c.used ? 0u : 1u);
        std::printf("%-55s stored %ls\n", c.what, stored.c_str());
        if (used != wanted) RemoveTree(used);
    }
}

}  // namespace
