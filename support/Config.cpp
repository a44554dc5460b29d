#include "support/Config.h"

#include <cstdlib>

namespace {

std::string Setting(const char* name, const char* compiledDefault) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : compiledDefault;
}

}  // namespace

std::string ServiceBaseUrl() {
    return Setting("LARKHOLM_SERVICE_URL", LARKHOLM_SERVICE_URL);
}
std::string WicInstallerUrl() {
    return Setting("LARKHOLM_WIC_URL", LARKHOLM_WIC_URL);
}
std::string DotNetInstallerUrl() {
    return Setting("LARKHOLM_DOTNET_URL", LARKHOLM_DOTNET_URL);
}
std::string AgreementUrl() {
    return Setting("LARKHOLM_AGREEMENT_URL", LARKHOLM_AGREEMENT_URL);
}
std::string WicInstallerSigner() {
    return Setting("LARKHOLM_WIC_SIGNER", LARKHOLM_WIC_SIGNER);
}
std::string WicInstallerSha256() {
    return Setting("LARKHOLM_WIC_SHA256", LARKHOLM_WIC_SHA256);
}
std::string DotNetInstallerSigner() {
    return Setting("LARKHOLM_DOTNET_SIGNER", LARKHOLM_DOTNET_SIGNER);
}
std::string DotNetInstallerSha256() {
    return Setting("LARKHOLM_DOTNET_SHA256", LARKHOLM_DOTNET_SHA256);
}
