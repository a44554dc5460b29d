#include "install/ExtractPackage.h"

#include <optional>
#include <string_view>

#include "install/InstallFolders.h"
#include "install/ZipEntryName.h"
#include "install/ZipReader.h"
#include "support/InUseWait.h"
#include "support/Log.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/Thread.h"
#include "support/WideFormat.h"
#include "support/WindowMessages.h"
#include "support/WizardMessages.h"
#include "support/platform/ConfinedFolder.h"
#include "support/platform/FileInUse.h"
#include "support/platform/WindowsView.h"

namespace {

constexpr std::string_view kPackageName = "assist.zip";
// Pause before each empty item is created.
constexpr std::uint32_t kEmptyItemPauseMs = 100;

enum class Outcome { Extracted, Failed, InUse, Stopped };

bool IsPackageArchive(std::string_view name) {
    if (name.size() != kPackageName.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] - 'A' + 'a') : name[i];
        if (c != kPackageName[i]) return false;
    }
    return true;
}

// Creates an empty item. Its name is resolved as the reader resolves names, so it lands inside
// `folder` like every other item; missing folders above it are made, since an archive need not
// list them. A name ending in a separator is a folder even when the archive did not mark it so.
// Like every other item it is made one name at a time below the folder, never through a link.
ZipResult CreateEmptyItem(const std::wstring& folder, const std::wstring& itemName, Thread& worker) {
    const auto components = ResolveEntryName(itemName);
    if (!components || components->empty()) return kZipBadArguments;
    const bool isFolder = IsPathSeparator(itemName.back());
    if (!isFolder) worker.SleepUnlessStopped(kEmptyItemPauseMs);
    ConfinedFolder parent = ConfinedFolder::OpenRoot(WideToUtf8(folder));
    const std::size_t folders = isFolder ? components->size() : components->size() - 1;
    for (std::size_t i = 0; i < folders; ++i)
        if (!parent.EnterChild(WideToUtf8((*components)[i]))) return kZipCannotOpen;
    if (isFolder) return parent.IsOpen() ? kZipOk : kZipCannotOpen;
    OutputFile file = parent.CreateChildFile(WideToUtf8(components->back()), FileAccess::Writable);
    return file.IsOpen() && file.Close() ? kZipOk : kZipCannotOpen;
}

// Every item of the open archive into `folder`.
Outcome ExtractItems(InstallJob& job, ManifestFile& file, ZipHandle* zip, const std::wstring& folder,
                     Thread& worker) {
    ZipEntryInfo info;
    GetEntry(zip, -1, info);
    const std::int32_t count = info.index;
    file.extractTotal = count;
    file.extractDone = 0;
    for (std::int32_t index = 0; index < count; ++index) {
        if (worker.StopRequested()) return Outcome::Stopped;
        ZipEntryInfo item;
        if (GetEntry(zip, index, item) != kZipOk) continue;  // an unreadable record is passed over
        const std::wstring target = JoinPath(folder, item.name);
        const ZipResult result = item.uncSize != 0 || (item.attr & kZipAttrDirectory) != 0
                                     ? ExtractEntry(zip, index, target)
                                     : CreateEmptyItem(folder, item.name, worker);
        if (result != kZipOk) {
            job.error = std::int32_t(result);
            Log(WideFormat(L"Unzip file error. file:%ls, error:%d", target.c_str(), int(result)));
            return Outcome::Failed;
        }
        const std::int32_t done = file.extractDone.Add(1) + 1;
        Log(WideFormat(L"Unzip file. file:%ls, %d/%d", item.name.c_str(), done, count));
        PostToWindow(job.notifyWindow, UM_EXTRACT_PROGRESS, 0, 0);
    }
    return Outcome::Extracted;
}

Outcome ExtractArchive(InstallJob& job, ManifestFile& file, const std::wstring& installDir,
                       const std::wstring& downloadDir, Thread& worker) {
    const std::wstring name = Utf8ToWide(file.name);
    const std::wstring stem = name.substr(0, name.rfind(L'.'));
    const std::wstring archivePath = JoinPath(downloadDir, name);
    const std::wstring folder = JoinPath(installDir, stem);

    // Every extraction starts from an empty folder. While a program still holds a file of the old
    // one (the installed program left running, a scanner that does not let go), deleting would
    // stop halfway and leave neither the old nor the new package: nothing is touched then, and
    // the operator learns which program to close.
    if (FolderExists(folder)) {
        std::optional<std::wstring> program;
        if (StaysInUse([&] { return (program = ProgramUsingFolder(folder)).has_value(); })) {
            job.error = kErrorFilesInUse;
            job.busyProgram = *program;
            Log(L"Files in use. folder:" + folder + L", program:" + *program);
            return Outcome::InUse;
        }
        DeleteTree(folder);
    }
    if (!CreatePath(folder)) {
        Log(L"Create install path failure. path:" + folder);
        job.error = kErrorExtraction;
        return Outcome::Failed;
    }
    ZipHandle* zip = OpenArchive(archivePath, kPackagePassword);
    if (zip == nullptr) {
        Log(L"Open zip file failure. path:" + archivePath);
        job.error = kErrorExtraction;
        return Outcome::Failed;
    }
    const Outcome outcome = ExtractItems(job, file, zip, folder, worker);
    CloseArchive(zip);
    // The program is named after the manifest's spelling of the package; the archive may spell it
    // otherwise, and it is the extracted file that must start.
    if (outcome == Outcome::Extracted)
        job.launchPath = Utf8ToWide(ExistingSpelling(WideToUtf8(JoinPath(folder, stem + L".exe"))));
    return outcome;
}

}  // namespace

bool ExtractPackage(InstallJob& job, Thread& worker) {
    job.extracting = true;
    if (job.installDir.empty() || job.downloadDir.empty()) {
        job.error = kErrorExtraction;
        job.extracting = false;
        return false;
    }
    job.error = 0;
    job.busyProgram.clear();
    std::wstring installDir = NativePath(job.installDir);
    std::wstring downloadDir = NativePath(job.downloadDir);
    StripTrailingSeparator(installDir);
    StripTrailingSeparator(downloadDir);

    Outcome outcome = Outcome::Extracted;
    for (ManifestFile& file : job.files) {
        if (!IsPackageArchive(file.name)) continue;
        outcome = ExtractArchive(job, file, installDir, downloadDir, worker);
        if (outcome != Outcome::Extracted) break;
    }

    if (outcome == Outcome::Extracted) {
        job.extracting = false;
        if (IsWindowAlive(job.notifyWindow)) {
            Log(L"解压文件成功，通知UI可以启动assist进程");
            PostToWindow(job.notifyWindow, UM_EXTRACT_DONE, 0, 0);
        }
        return true;
    }
    if (outcome == Outcome::Failed) {
        // A half-installed product must not stay behind.
        DeleteTree(installDir);
        Log(L"Unzip file error. 删除安装目录");
    } else if (outcome == Outcome::Stopped) {
        job.error = kErrorExtraction;  // stopped: what was extracted stays
    }
    job.extracting = false;
    return false;
}

bool IsExtractionError(std::int32_t error) {
    return error == kErrorExtraction || error >= std::int32_t(kZipDuplicateHandle);
}

std::int32_t ExtractionPercent(const std::vector<ManifestFile>& files) {
    std::int64_t doneSum = 0;
    std::int64_t totalSum = 0;
    for (const ManifestFile& file : files) {
        const std::int32_t total = file.extractTotal;
        if (total <= 0) continue;
        const std::int32_t done = file.extractDone;
        Log(WideFormat(L"decompressed file:%d, total file:%d", done, total));
        doneSum += done;
        totalSum += total;
    }
    if (doneSum <= 0 || totalSum <= 0) return 0;
    // Multiplying first keeps whole results whole (29 of 100 is 29, not 28.999...).
    const double percent = double(doneSum) * 100.0 / double(totalSum);
    Log(WideFormat(L"unzip file progress: %f", percent));
    return std::int32_t(percent);
}
