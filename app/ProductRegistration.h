// The installation's entry in "Programs and Features": the key kUninstallKey under
// HKEY_LOCAL_MACHINE in the 32-bit registry view (support/platform/WindowsView.h), written after a
// successful install (a reinstall replaces it) and read back by the uninstall. Besides the values
// Windows shows, the entry keeps what the uninstall must remove and nothing more: the extracted
// folder, the downloaded files by name, and the highest folder the installation itself created
// (empty when the install folder was already there), so that a folder the operator chose is never
// removed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Larkholm";

struct Installation {
    std::wstring installDir;     // InstallLocation
    std::wstring programFolder;  // the extracted package
    std::wstring program;        // the installed program, DisplayIcon
    std::wstring uninstaller;    // the copy of the wizard kept in installDir
    std::wstring version;        // DisplayVersion
    std::uint32_t sizeKb = 0;    // EstimatedSize
    std::wstring installDate;    // InstallDate, yyyymmdd
    std::wstring downloadDir;
    std::vector<std::wstring> downloads;  // names of the files downloaded into downloadDir
    std::wstring createdFolder;
};

bool RegisterInstallation(const Installation& installation);
std::optional<Installation> ReadInstallation();
bool UnregisterInstallation();
