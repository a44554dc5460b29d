#include <windows.h>
// The headers below need the types <windows.h> declares; SECURITY_WIN32 tells <security.h> that
// its caller is a user-mode program.
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>
#include <wincrypt.h>
#include <winhttp.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "support/TextConvert.h"
#include "support/platform/ServerTrust.h"

namespace {

struct CertificateFree {
    void operator()(const CERT_CONTEXT* certificate) const { ::CertFreeCertificateContext(certificate); }
};
struct ChainFree {
    void operator()(const CERT_CHAIN_CONTEXT* chain) const { ::CertFreeCertificateChain(chain); }
};
using Certificate = std::unique_ptr<const CERT_CONTEXT, CertificateFree>;
using Chain = std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainFree>;

std::string Hex(DWORD code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// The policy's verdict in words, for the log line.
std::string PolicyProblem(DWORD error, const std::string& host) {
    switch (error) {
        case DWORD(CERT_E_CN_NO_MATCH):
            return "the server's certificate is not issued for " + host + " (CERT_E_CN_NO_MATCH)";
        case DWORD(CERT_E_UNTRUSTEDROOT):
            return "the server's certificate comes from an authority this system does not trust "
                   "(CERT_E_UNTRUSTEDROOT)";
        case DWORD(CERT_E_CHAINING):
            return "the server's certificate does not lead to a trusted authority (CERT_E_CHAINING)";
        case DWORD(CERT_E_EXPIRED):
            return "the server's certificate or one of its issuers is not valid today (CERT_E_EXPIRED)";
        case DWORD(CERT_E_WRONG_USAGE):
            return "the server's certificate is not meant for TLS servers (CERT_E_WRONG_USAGE)";
        case DWORD(CERT_E_REVOKED):
            return "the server's certificate is revoked (CERT_E_REVOKED)";
        default:
            return "the server's certificate is not trusted (" + Hex(error) + ")";
    }
}

// The address `host` names when it is an IPv4 or IPv6 literal; empty for a DNS name.
std::vector<BYTE> AddressBytes(const std::wstring& host) {
    IN_ADDR v4{};
    if (::InetPtonW(AF_INET, host.c_str(), &v4) == 1) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&v4);
        return {bytes, bytes + sizeof v4};
    }
    IN6_ADDR v6{};
    if (::InetPtonW(AF_INET6, host.c_str(), &v6) == 1) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&v6);
        return {bytes, bytes + sizeof v6};
    }
    return {};
}

// Whether the certificate's subject alternative names hold the IP address `address`, as a
// certificate for an address must: the system's SSL policy compares DNS names only under Wine.
bool NamesAddress(const CERT_CONTEXT* certificate, const std::vector<BYTE>& address) {
    const CERT_INFO* info = certificate->pCertInfo;
    const CERT_EXTENSION* extension =
        ::CertFindExtension(szOID_SUBJECT_ALT_NAME2, info->cExtension, info->rgExtension);
    if (extension == nullptr) return false;
    CERT_ALT_NAME_INFO* names = nullptr;
    DWORD size = 0;
    if (!::CryptDecodeObjectEx(X509_ASN_ENCODING, X509_ALTERNATE_NAME, extension->Value.pbData,
                               extension->Value.cbData, CRYPT_DECODE_ALLOC_FLAG, nullptr, &names, &size)) {
        return false;
    }
    bool found = false;
    for (DWORD i = 0; i < names->cAltEntry && !found; ++i) {
        const CERT_ALT_NAME_ENTRY& entry = names->rgAltEntry[i];
        found = entry.dwAltNameChoice == CERT_ALT_NAME_IP_ADDRESS &&
                entry.IPAddress.cbData == address.size() &&
                std::memcmp(entry.IPAddress.pbData, address.data(), address.size()) == 0;
    }
    ::LocalFree(names);
    return found;
}

}  // namespace

AuthorityFiles NamedAuthorityFiles() {
    return {};  // the certificate store is the trust; an operator adds an authority to it
}

bool ServerCertificateTrusted(void* tlsSession, const std::string& host, std::string& problem) {
    const CERT_CONTEXT* presented = nullptr;
    const SECURITY_STATUS queried = ::QueryContextAttributesW(static_cast<PCtxtHandle>(tlsSession),
                                                              SECPKG_ATTR_REMOTE_CERT_CONTEXT, &presented);
    if (queried != SEC_E_OK || presented == nullptr) {
        problem = "the connection holds no server certificate (" + Hex(DWORD(queried)) + ")";
        return false;
    }
    const Certificate leaf(presented);

    // The chain from the server's certificate, with the issuers it sent, to a root of the store,
    // for server authentication. No revocation flags: no list or responder is fetched here.
    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    LPSTR usages[] = {serverAuth};
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof chainPara;
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    chainPara.RequestedUsage.Usage.cUsageIdentifier = 1;
    chainPara.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    const CERT_CHAIN_CONTEXT* built = nullptr;
    if (!::CertGetCertificateChain(nullptr, leaf.get(), nullptr, leaf->hCertStore, &chainPara, 0, nullptr,
                                   &built)) {
        problem = "the server's certificate chain cannot be built (" + Hex(::GetLastError()) + ")";
        return false;
    }
    const Chain chain(built);

    // A DNS name is the policy's to compare; an address is compared here, the rest of the policy
    // (chain, validity, usage) still applies.
    std::wstring serverName = Utf8ToWide(host);
    const std::vector<BYTE> address = AddressBytes(serverName);
    HTTPSPolicyCallbackData https{};
    https.cbStruct = sizeof https;
    https.dwAuthType = AUTHTYPE_SERVER;
    https.fdwChecks = address.empty() ? 0 : SECURITY_FLAG_IGNORE_CERT_CN_INVALID;
    https.pwszServerName = serverName.data();
    CERT_CHAIN_POLICY_PARA policyPara{};
    policyPara.cbSize = sizeof policyPara;
    policyPara.pvExtraPolicyPara = &https;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    if (!::CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policyPara, &status)) {
        problem = "the server's certificate cannot be checked (" + Hex(::GetLastError()) + ")";
        return false;
    }
    DWORD verdict = status.dwError;
    if (verdict == 0 && !address.empty() && !NamesAddress(leaf.get(), address))
        verdict = DWORD(CERT_E_CN_NO_MATCH);
    if (verdict != 0) {
        problem = PolicyProblem(verdict, host);
        return false;
    }
    return true;
}
