#include <windows.h>
// Need what <windows.h> defines, so they stay after it.
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>

#include "support/TextConvert.h"
#include "support/platform/HeldInstaller.h"

namespace {

HANDLE ToHandle(NativeHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::string HexCode(LONG code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// One WinVerifyTrust verification of the held file, its state kept for reading the signer and
// closed when the check goes out of scope.
class TrustCheck {
public:
    TrustCheck(const std::wstring& path, HANDLE file, DWORD revocationChecks) : path(path) {
        fileInfo.cbStruct = sizeof fileInfo;
        fileInfo.pcwszFilePath = this->path.c_str();
        fileInfo.hFile = file;  // the held bytes are judged, not whatever the name leads to now
        data.cbStruct = sizeof data;
        data.dwUIChoice = WTD_UI_NONE;
        data.fdwRevocationChecks = revocationChecks;
        data.dwUnionChoice = WTD_CHOICE_FILE;
        data.pFile = &fileInfo;
        data.dwStateAction = WTD_STATEACTION_VERIFY;
        // Revocation from what the system has cached: the wizard runs before the machine is known to
        // reach any revocation server, and must not wait on one.
        data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
        result = ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    }
    ~TrustCheck() {
        data.dwStateAction = WTD_STATEACTION_CLOSE;
        ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    }
    TrustCheck(const TrustCheck&) = delete;
    TrustCheck& operator=(const TrustCheck&) = delete;

    LONG Result() const { return result; }

    // The simple display name (the common name) of the certificate that signed the file; empty
    // when there is none to read.
    std::string SignerName() const {
        const CRYPT_PROVIDER_CERT* certificate =
            Signer() ? ::WTHelperGetProvCertFromChain(Signer(), 0) : nullptr;
        if (certificate == nullptr || certificate->pCert == nullptr) return {};
        wchar_t name[512] = {};
        ::CertGetNameStringW(certificate->pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, 512);
        return WideToUtf8(name);
    }

    // What is wrong with the chain WinVerifyTrust built for the signer, of the CERT_TRUST_* errors
    // that make it untrustworthy (an unknown revocation status is left to the revocation policy
    // above); 0 when nothing is.
    // WinVerifyTrust refuses these itself on Windows, but Wine's approves a chain that ends at an
    // unknown root or holds an expired certificate, and an elevated installer must not rest on that.
    DWORD ChainErrors() const {
        const CRYPT_PROVIDER_SGNR* signer = Signer();
        if (signer == nullptr || signer->pChainContext == nullptr) return CERT_TRUST_IS_PARTIAL_CHAIN;
        constexpr DWORD kUntrustworthy =
            CERT_TRUST_IS_NOT_TIME_VALID | CERT_TRUST_IS_REVOKED | CERT_TRUST_IS_NOT_SIGNATURE_VALID |
            CERT_TRUST_IS_NOT_VALID_FOR_USAGE | CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_CYCLIC |
            CERT_TRUST_IS_PARTIAL_CHAIN | CERT_TRUST_IS_EXPLICIT_DISTRUST;
        return signer->pChainContext->TrustStatus.dwErrorStatus & kUntrustworthy;
    }

private:
    CRYPT_PROVIDER_SGNR* Signer() const {
        CRYPT_PROVIDER_DATA* provider = ::WTHelperProvDataFromStateData(data.hWVTStateData);
        return provider != nullptr ? ::WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    }

    std::wstring path;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    WINTRUST_FILE_INFO fileInfo{};
    WINTRUST_DATA data{};
    LONG result = 0;
};

// The verdict of `check`, and whether the file was signed by `signer`.
bool SignerMatches(const TrustCheck& check, const std::string& signer, std::string& problem) {
    if (check.Result() != ERROR_SUCCESS) {
        problem = "the signature does not verify (WinVerifyTrust " + HexCode(check.Result()) + ")";
        return false;
    }
    if (const DWORD errors = check.ChainErrors(); errors != 0) {
        problem =
            "the signer's certificate chain is not trusted (chain errors " + HexCode(LONG(errors)) + ")";
        return false;
    }
    const std::string name = check.SignerName();
    if (name == signer) return true;
    problem = "signed by \"" + name + "\", not by \"" + signer + "\"";
    return false;
}

}  // namespace

std::uint32_t HeldInstaller::Open(const std::string& installerPath) {
    Close();
    // Read sharing only: the system may still open the file to start it, but nobody may write to,
    // rename or delete it while it is held. A reparse point is opened as itself, and then refused,
    // so a link planted in the installer's place cannot lead elsewhere.
    const HANDLE file = ::CreateFileW(Utf8ToWide(installerPath).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ::GetLastError();
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        ::CloseHandle(file);
        return ERROR_ACCESS_DENIED;
    }
    path = installerPath;
    handle = reinterpret_cast<NativeHandle>(file);
    return 0;
}

void HeldInstaller::Close() {
    if (handle != kNoHandle) ::CloseHandle(ToHandle(handle));
    handle = kNoHandle;
    path.clear();
}

bool HeldInstaller::SignedBy(const std::string& signer, std::string& problem) const {
    if (signer.empty()) {
        problem = "no signer is configured for this installer";
        return false;
    }
    const std::wstring widePath = Utf8ToWide(path);
    TrustCheck check(widePath, ToHandle(handle), WTD_REVOKE_WHOLECHAIN);
    if (check.Result() == CERT_E_REVOCATION_FAILURE) {
        // Nothing cached says whether a certificate was revoked: what can be proven offline is the
        // rest, so the check is made again without revocation.
        TrustCheck offline(widePath, ToHandle(handle), WTD_REVOKE_NONE);
        return SignerMatches(offline, signer, problem);
    }
    return SignerMatches(check, signer, problem);
}

std::int64_t HeldInstaller::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
    OVERLAPPED at{};
    at.Offset = DWORD(offset);
    at.OffsetHigh = DWORD(offset >> 32);
    DWORD read = 0;
    if (::ReadFile(ToHandle(handle), buffer, DWORD(size), &read, &at)) return read;
    return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
}
