#include "app/Uninstall.h"

#include <filesystem>
#include <system_error>

#include "app/ExitCode.h"
#include "download/ManifestNames.h"
#include "install/InstallFolders.h"
#include "support/Log.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/FileInUse.h"
#include "support/platform/FileSystemPath.h"

namespace fs = std::filesystem;

namespace {

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

// Removes `folder`, then each folder above it, while it is empty, up to and including `top`; a
// folder that is not `top` or inside it is never touched.
void RemoveEmptyFoldersUpTo(std::wstring folder, const std::wstring& top) {
    while ((folder == top || IsInsideFolder(folder, top)) && RemoveIfEmpty(folder) && folder != top)
        folder = ParentFolder(folder);
}

// A downloaded file by its manifest name, which may lead into subfolders of the download folder
// ("bin/x.dll"), and the subfolders it leaves empty. A name that could lead out is left alone.
void RemoveDownload(const std::wstring& downloadDir, const std::wstring& name) {
    const std::string utf8 = WideToUtf8(name);
    if (utf8.empty() || !ManifestNameStaysInFolder(utf8)) return;
    const std::wstring path = JoinPath(downloadDir, Utf8ToWide(NativeSeparators(utf8)));
    RemoveFile(path);
    RemoveEmptyFoldersUpTo(ParentFolder(path), downloadDir);
}

}  // namespace

int RemoveInstallation(const Installation& installation, std::wstring& busyProgram) {
    // Only what lies inside the install folder is removed as a tree.
    if (!IsInsideFolder(installation.programFolder, installation.installDir)) {
        Log(L"Uninstall: the entry's program folder is not inside its install folder; left alone");
    } else {
        if (const auto program = ProgramUsingFolder(installation.programFolder)) {
            busyProgram = *program;
            Log(L"Uninstall refused: a file of the installation is in use by " + busyProgram);
            return kExitFilesInUse;
        }
        DeleteTree(installation.programFolder);
    }
    std::wstring downloadDir = NativePath(installation.downloadDir);
    StripTrailingSeparator(downloadDir);
    if (!downloadDir.empty()) {
        for (const std::wstring& name : installation.downloads) RemoveDownload(downloadDir, name);
        RemoveIfEmpty(downloadDir);
    }
    RemoveInstallFolder(installation);
    if (!UnregisterInstallation()) Log(L"Uninstall: the entry in Programs and Features cannot be removed");
    Log(L"Uninstall: removed " + installation.installDir);
    return kExitInstalled;
}

void RemoveInstallFolder(const Installation& installation) {
    if (IsInsideFolder(installation.uninstaller, installation.installDir))
        RemoveFile(installation.uninstaller);
    // The folders the installation made, from the install folder up to the highest of them.
    if (!installation.createdFolder.empty())
        RemoveEmptyFoldersUpTo(installation.installDir, installation.createdFolder);
}
