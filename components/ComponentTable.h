// The components the wizard brings in when they are missing: their ids (which travel in the
// component queues and in the wParam of messages 9030 to 9033), installer URLs and the proof their
// installers must give (support/Config.h), detection tests, and where their installers are saved.
// Callable from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/platform/HeldInstaller.h"

constexpr std::int32_t kComponentDotNet4 = 1;  // .NET Framework 4.0
constexpr std::int32_t kComponentWic = 2;      // Windows Imaging Component

struct Component {
    std::int32_t id = 0;
    std::string installerUrl;
    bool (*isInstalled)() = nullptr;
    // The installer's own switches for a run nobody watches: no questions, no restart.
    std::string quietArguments;
    // What its downloaded installer must prove before it may run (signer, SHA-256 pin).
    InstallerProof proof;
};

// Installer exit codes that mean "installed; the machine must restart to finish" (Windows
// Installer's ERROR_SUCCESS_REBOOT_REQUIRED and ERROR_SUCCESS_REBOOT_INITIATED).
constexpr std::uint32_t kExitRestartRequired = 3010;
constexpr std::uint32_t kExitRestartInitiated = 1641;

// WIC first, then .NET Framework 4.0: the order in which missing components are queued.
std::vector<Component> ComponentTable();

// The component of `id`, or nullptr for an id the table does not know.
const Component* FindComponent(const std::vector<Component>& table, std::int32_t id);

// The common application data folder + "Ostrelle"; empty when there is no such folder.
std::wstring ComponentDownloadDirectory();

// Where the installer from `url` is saved: `downloadDir` (as UTF-8) + separator + the URL's file name.
std::string InstallerPath(const std::wstring& downloadDir, const std::string& url);
