#include "app/ProductRegistration.h"

#include <sstream>

#include "support/RegistryValue.h"
#include "support/platform/WindowsView.h"

namespace {

constexpr wchar_t kProductName[] = L"Larkholm";
// "|" cannot occur in a Windows file name, so it separates the downloaded names.
constexpr wchar_t kNameSeparator = L'|';

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

std::wstring JoinNames(const std::vector<std::wstring>& names) {
    std::wstring joined;
    for (const std::wstring& name : names)
        joined += (joined.empty() ? L"" : std::wstring(1, kNameSeparator)) + name;
    return joined;
}

std::vector<std::wstring> SplitNames(const std::wstring& joined) {
    std::vector<std::wstring> names;
    std::wstringstream in(joined);
    for (std::wstring name; std::getline(in, name, kNameSeparator);)
        if (!name.empty()) names.push_back(name);
    return names;
}

}  // namespace

bool RegisterInstallation(const Installation& installation) {
    const std::wstring uninstall = Quoted(installation.uninstaller) + L" /UNINSTALL";
    return WriteMachineKey(kUninstallKey,
                             {
                                 RegistryValue::Text(L"DisplayName", kProductName),
                                 RegistryValue::Text(L"Publisher", kProductName),
                                 RegistryValue::Text(L"DisplayVersion", installation.version),
                                 RegistryValue::Text(L"InstallLocation", installation.installDir),
                                 RegistryValue::Text(L"DisplayIcon", installation.program),
                                 RegistryValue::Number(L"EstimatedSize", installation.sizeKb),
                                 RegistryValue::Text(L"InstallDate", installation.installDate),
                                 RegistryValue::Text(L"UninstallString", uninstall),
                                 RegistryValue::Text(L"QuietUninstallString", uninstall + L" /VERYSILENT"),
                                 RegistryValue::Number(L"NoModify", 1),
                                 RegistryValue::Number(L"NoRepair", 1),
                                 RegistryValue::Text(L"LarkholmProgramFolder", installation.programFolder),
                                 RegistryValue::Text(L"LarkholmUninstaller", installation.uninstaller),
                                 RegistryValue::Text(L"LarkholmDownloadFolder", installation.downloadDir),
                                 RegistryValue::Text(L"LarkholmDownloads", JoinNames(installation.downloads)),
                                 RegistryValue::Text(L"LarkholmCreatedFolder", installation.createdFolder),
                             });
}

std::optional<Installation> ReadInstallation() {
    auto read = [](const wchar_t* name) {
        return ReadMachineText(kUninstallKey, name).value_or(std::wstring());
    };
    Installation installation;
    installation.installDir = read(L"InstallLocation");
    installation.programFolder = read(L"LarkholmProgramFolder");
    // An entry without the folders it removes is not one this wizard wrote.
    if (installation.installDir.empty() || installation.programFolder.empty()) return std::nullopt;
    installation.program = read(L"DisplayIcon");
    installation.uninstaller = read(L"LarkholmUninstaller");
    installation.version = read(L"DisplayVersion");
    installation.installDate = read(L"InstallDate");
    installation.downloadDir = read(L"LarkholmDownloadFolder");
    installation.downloads = SplitNames(read(L"LarkholmDownloads"));
    installation.createdFolder = read(L"LarkholmCreatedFolder");
    return installation;
}

bool UnregisterInstallation() {
    return DeleteMachineKey(kUninstallKey);
}
