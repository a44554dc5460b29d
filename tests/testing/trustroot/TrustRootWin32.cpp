// trust-root CERT [--user] [--check]: makes the tests' certificate authority trusted the way an
// operator's machine trusts one, by adding the certificate CERT (PEM or DER) to the ROOT system
// store of the machine, or of the current user with --user; an existing copy is replaced. With
// --check it adds nothing and only tells whether the store holds the certificate.
// Exit codes: 0 added (or, with --check, present), 1 failed or (--check) absent, with a message on
// stderr, 2 bad arguments.
#include <windows.h>
// The headers below need the types <windows.h> declares.
#include <shellapi.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "trust-root: %s (error 0x%08lx)\n", what, ::GetLastError());
    return 1;
}

bool ReadWholeFile(const wchar_t* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The certificate's DER bytes: a PEM file is decoded, anything else is taken as DER already.
bool DecodeCertificate(const std::string& file, std::vector<BYTE>& der) {
    if (file.find("-----BEGIN") == std::string::npos) {
        der.assign(file.begin(), file.end());
        return !der.empty();
    }
    DWORD size = 0;
    if (!::CryptStringToBinaryA(file.data(), DWORD(file.size()), CRYPT_STRING_BASE64HEADER, nullptr, &size,
                                nullptr, nullptr)) {
        return false;
    }
    der.resize(size);
    return ::CryptStringToBinaryA(file.data(), DWORD(file.size()), CRYPT_STRING_BASE64HEADER, der.data(),
                                  &size, nullptr, nullptr) != FALSE;
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2) {
        std::fprintf(stderr, "usage: trust-root CERT.pem|CERT.der [--user] [--check]\n");
        return 2;
    }
    const std::wstring certificatePath = arguments[1];
    DWORD location = CERT_SYSTEM_STORE_LOCAL_MACHINE;
    bool checkOnly = false;
    for (int i = 2; i < count; ++i) {
        const std::wstring option = arguments[i];
        if (option == L"--user") {
            location = CERT_SYSTEM_STORE_CURRENT_USER;
        } else if (option == L"--check") {
            checkOnly = true;
        } else {
            std::fprintf(stderr, "trust-root: unknown option %ls\n", option.c_str());
            return 2;
        }
    }
    ::LocalFree(arguments);

    std::string file;
    if (!ReadWholeFile(certificatePath.c_str(), file)) return Fail("cannot read the certificate file");
    std::vector<BYTE> der;
    if (!DecodeCertificate(file, der)) return Fail("the file holds no PEM or DER certificate");
    PCCERT_CONTEXT certificate =
        ::CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), DWORD(der.size()));
    if (certificate == nullptr) return Fail("the file holds no valid certificate");

    HCERTSTORE store = ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, location, L"ROOT");
    if (store == nullptr) {
        const int failed = Fail("cannot open the ROOT store");
        ::CertFreeCertificateContext(certificate);
        return failed;
    }
    int result = 0;
    if (checkOnly) {
        PCCERT_CONTEXT found = ::CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING,
                                                            certificate, nullptr);
        if (found == nullptr) {
            result = Fail("the ROOT store does not hold the certificate");
        } else {
            ::CertFreeCertificateContext(found);
        }
    } else if (!::CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(), DWORD(der.size()),
                                                   CERT_STORE_ADD_REPLACE_EXISTING, nullptr)) {
        result = Fail("cannot add the certificate to the ROOT store");
    }
    ::CertCloseStore(store, 0);
    ::CertFreeCertificateContext(certificate);
    return result;
}
