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
