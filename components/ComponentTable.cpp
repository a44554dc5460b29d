#include "components/ComponentTable.h"

#include "components/ComponentDetection.h"
#include "components/FileNameFromPath.h"
#include "support/Config.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/WindowsView.h"

std::vector<Component> ComponentTable() {
    return {
        {kComponentWic,
         WicInstallerUrl(),
         &IsWicInstalled,
         "/quiet /norestart",
         {WicInstallerSigner(), WicInstallerSha256()}},
        {kComponentDotNet4,
         DotNetInstallerUrl(),
         &IsDotNet4Installed,
         "/q /norestart",
         {DotNetInstallerSigner(), DotNetInstallerSha256()}},
    };
}

const Component* FindComponent(const std::vector<Component>& table, std::int32_t id) {
    for (const auto& component : table) {
        if (component.id == id) return &component;
    }
    return nullptr;
}

std::wstring ComponentDownloadDirectory() {
    const std::wstring appData = CommonAppDataFolder();
    return appData.empty() ? std::wstring() : JoinPath(appData, kProductFolderName);
}

std::string InstallerPath(const std::wstring& downloadDir, const std::string& url) {
    return JoinPath(WideToUtf8(downloadDir), FileNameFromPath(url, true));
}
