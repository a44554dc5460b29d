#include "app/Uninstall.h"

#include <filesystem>
#include <system_error>

#include "app/ExitCode.h"
#include "install/InstallFolders.h"
#include "support/Log.h"
#include "support/PathText.h"
#include "support/platform/FileInUse.h"
#include "support/platform/FileSystemPath.h"

namespace fs = std::filesystem;

namespace {

bool IsBelow(const std::wstring& path, const std::wstring& folder) {
    return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
           IsPathSeparator(path[folder.size()]);
}

// A name from the entry that stays inside its folder: one component, not "." or "..".
bool IsPlainFileName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." &&
           name.find_first_of(L"\\/:") == std::wstring::npos;
}

void RemoveFile(const std::wstring& path) {
    std::error_code error;
    if (fs::remove(PathFromWide(path), error) || !error) return;
    Log(L"Uninstall: cannot remove " + path);
}

// Removes `folder` when it is empty; a folder holding anything stays.
bool RemoveIfEmpty(const std::wstring& folder) {
    std::error_code error;
    return fs::is_empty(PathFromWide(folder), error) && !error && fs::remove(PathFromWide(folder), error);
}

}  // namespace

int RemoveInstallation(const Installation& installation, std::wstring& busyProgram) {
    // Only what lies inside the install folder is removed as a tree.
    if (!IsBelow(installation.programFolder, installation.installDir)) {
        Log(L"Uninstall: the entry's program folder is not inside its install folder; left alone");
    } else {
        if (const auto program = ProgramUsingFolder(installation.programFolder)) {
            busyProgram = *program;
            Log(L"Uninstall refused: a file of the installation is in use by " + busyProgram);
            return kExitFilesInUse;
        }
        DeleteTree(installation.programFolder);
    }
    for (const std::wstring& name : installation.downloads) {
        if (IsPlainFileName(name) && !installation.downloadDir.empty())
            RemoveFile(JoinPath(installation.downloadDir, name));
    }
    if (!installation.downloadDir.empty()) RemoveIfEmpty(installation.downloadDir);
    RemoveInstallFolder(installation);
    if (!UnregisterInstallation()) Log(L"Uninstall: the entry in Programs and Features cannot be removed");
    Log(L"Uninstall: removed " + installation.installDir);
    return kExitInstalled;
}

void RemoveInstallFolder(const Installation& installation) {
    if (IsBelow(installation.uninstaller, installation.installDir)) RemoveFile(installation.uninstaller);
    // The folders the installation made, from the install folder up to the highest of them.
    const std::wstring& created = installation.createdFolder;
    if (!created.empty() &&
        (installation.installDir == created || IsBelow(installation.installDir, created))) {
        for (std::wstring folder = installation.installDir; RemoveIfEmpty(folder) && folder != created;) {
            folder = folder.substr(0, folder.find_last_of(L"\\/"));
        }
    }
}
