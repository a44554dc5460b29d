#include <windows.h>
// Need what <windows.h> defines, so they stay after it.
#include <aclapi.h>
#include <sddl.h>

#include "support/TextConvert.h"
#include "support/platform/SecuredFolder.h"

namespace {

// Protected (nothing inherited from ProgramData, where users may add files): administrators and
// SYSTEM have full control, users may read and run, for the folder and everything made in it.
constexpr wchar_t kFolderSecurity[] = L"D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

// The rights that change a folder, its entries or its security.
constexpr ACCESS_MASK kWriteRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                     FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                                     WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL | MAXIMUM_ALLOWED;

bool IsAdministratorsOrSystem(PSID sid) {
    return sid != nullptr &&
           (::IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || ::IsWellKnownSid(sid, WinLocalSystemSid));
}

// Nobody but administrators and SYSTEM may change the folder: every entry that grants a write right
// names one of them. Entries only inherited by the folder's children do not apply to it; an entry of
// a kind not read here (object, callback, conditional) counts as a foreign writer.
bool OnlyAdministratorsWrite(const ACL* dacl) {
    if (dacl == nullptr) return false;  // a null DACL lets everyone do everything
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* entry = nullptr;
        if (!::GetAce(const_cast<ACL*>(dacl), i, &entry)) return false;
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        if ((header->AceFlags & INHERIT_ONLY_ACE) != 0 || header->AceType == ACCESS_DENIED_ACE_TYPE) continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        const PSID trustee = const_cast<DWORD*>(&allowed->SidStart);
        if ((allowed->Mask & kWriteRights) != 0 && !IsAdministratorsOrSystem(trustee)) return false;
    }
    return true;
}

// The owner counts too: an owner may always rewrite the DACL. An elevated administrator's folders
// belong to the Administrators group; a folder owned by the administrator's own account could be
// changed by that account's unelevated programs as well.
FolderSecurity Judge(const std::wstring& path) {
    // The entry itself, not what a junction or link would lead to.
    const HANDLE folder =
        ::CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return FolderSecurity::Failed;
    BY_HANDLE_FILE_INFORMATION info{};
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    FolderSecurity verdict = FolderSecurity::Failed;
    if (::GetFileInformationByHandle(folder, &info) &&
        ::GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                          &owner, nullptr, &dacl, nullptr, &descriptor) == ERROR_SUCCESS) {
        const bool realFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        const bool safe = realFolder && IsAdministratorsOrSystem(owner) && OnlyAdministratorsWrite(dacl);
        verdict = safe ? FolderSecurity::Safe : FolderSecurity::Unsafe;
    }
    if (descriptor != nullptr) ::LocalFree(descriptor);
    ::CloseHandle(folder);
    return verdict;
}

}  // namespace

FolderSecurity SecureFolder(const std::string& path, ExistingFolder existing) {
    const std::wstring widePath = Utf8ToWide(path);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(kFolderSecurity, SDDL_REVISION_1, &descriptor,
                                                                nullptr))
        return FolderSecurity::Failed;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const bool created = ::CreateDirectoryW(widePath.c_str(), &attributes) != FALSE;
    const DWORD error = created ? ERROR_SUCCESS : ::GetLastError();
    ::LocalFree(descriptor);
    if (created) return FolderSecurity::Created;
    if (error != ERROR_ALREADY_EXISTS) return FolderSecurity::Failed;
    return existing == ExistingFolder::Refuse ? FolderSecurity::Unsafe : Judge(widePath);
}
