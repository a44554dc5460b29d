// Endpoints compiled into the wizard (CMake cache variables of the same names). Each can be
// overridden at run time by an environment variable of the same name, for staging and tests.
#pragma once

#include <string>

// The product's folder, under the program files folder (the suggested install path) and under the
// common application data folder (downloads).
inline constexpr const wchar_t* kProductFolderName = L"Ostrelle";

std::string ServiceBaseUrl();      // LARKHOLM_SERVICE_URL, the install service ("…/admin")
std::string WicInstallerUrl();     // LARKHOLM_WIC_URL
std::string DotNetInstallerUrl();  // LARKHOLM_DOTNET_URL
std::string AgreementUrl();        // LARKHOLM_AGREEMENT_URL

// What a downloaded component installer must prove before it runs: the name its Authenticode
// signer bears (Windows), and the SHA-256 of its bytes as lowercase hex (empty: not pinned).
std::string WicInstallerSigner();     // LARKHOLM_WIC_SIGNER
std::string WicInstallerSha256();     // LARKHOLM_WIC_SHA256
std::string DotNetInstallerSigner();  // LARKHOLM_DOTNET_SIGNER
std::string DotNetInstallerSha256();  // LARKHOLM_DOTNET_SHA256
