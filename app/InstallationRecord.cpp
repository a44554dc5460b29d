#include "app/InstallationRecord.h"

#include <filesystem>
#include <system_error>

#include "dui/include/core/SStringUtil.h"
#include "install/InstallFolders.h"
#include "service/IniFile.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/Module.h"
#include "support/platform/SystemTime.h"

namespace fs = std::filesystem;

namespace {

// Where the package states its version: "[package] version=" of this file among the downloads.
constexpr char kVersionFile[] = "version.ini";

std::uint32_t SizeInKb(const std::wstring& folder) {
    std::error_code error;
    std::uintmax_t bytes = 0;
    for (fs::recursive_directory_iterator it(PathFromWide(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error)) bytes += it->file_size(error);
    }
    return std::uint32_t((bytes + 1023) / 1024);
}

std::wstring PackageVersion(const InstallJob& job) {
    for (const ManifestFile& file : job.files) {
        if (!EqualsNoCase(file.name, kVersionFile)) continue;
        const IniFile ini = IniFile::Load(JoinPath(WideToUtf8(job.downloadDir), file.name));
        const std::string version = ini.ReadString("package", "version", "", 64);
        if (!version.empty()) return Utf8ToWide(version);
    }
    return Utf8ToWide(LARKHOLM_VERSION_TEXT);
}

std::wstring KeepUninstaller(const std::wstring& installDir) {
    std::wstring self;
    if (ModulePath(self) != 0) return std::wstring();
    const std::wstring copy = JoinPath(installDir, FileNamePart(self));
    std::error_code error;
    fs::copy_file(PathFromWide(self), PathFromWide(copy), fs::copy_options::overwrite_existing, error);
    return error ? std::wstring() : copy;
}

}  // namespace

std::wstring HighestMissingFolder(const std::wstring& folder) {
    std::wstring highest;
    for (std::wstring path = folder; !path.empty() && !FolderExists(path); path = ParentFolder(path))
        highest = path;
    return highest;
}

Installation RecordInstallation(const InstallJob& job, const std::wstring& createdFolder) {
    Installation installation;
    installation.installDir = NativePath(job.installDir);
    installation.program = job.launchPath;
    installation.programFolder = ParentFolder(job.launchPath);
    installation.uninstaller = KeepUninstaller(installation.installDir);
    installation.version = PackageVersion(job);
    installation.sizeKb = SizeInKb(installation.installDir);
    const LocalTime now = CurrentLocalTime();
    installation.installDate = WideFormat(L"%04d%02d%02d", now.year, now.month, now.day);
    installation.downloadDir = job.downloadDir;
    for (const ManifestFile& file : job.files) installation.downloads.push_back(Utf8ToWide(file.name));
    installation.createdFolder = createdFolder;
    return installation;
}
