#include "download/DownLoadThread.h"

#include <curl/curl.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#include "download/ManifestNames.h"
#include "download/TransferEngine.h"
#include "download/TransferPoll.h"
#include "install/ExtractPackage.h"
#include "install/ZipResult.h"
#include "service/InstallService.h"
#include "service/Md5.h"
#include "support/Config.h"
#include "support/Log.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/WindowMessages.h"
#include "support/WizardMessages.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/WindowsView.h"

// The window tells a failed transfer from a failed extraction by the code in `error`.
static_assert(CURL_LAST < kZipDuplicateHandle, "transfer and ZIP reader codes must not meet");

namespace {

double Percent(const TransferStatus& status) {
    // An unknown total (-1) gives a negative figure, as the engine reports it; a zero total none.
    return status.total != 0 ? status.received / status.total * 100 : 0;
}

// The percentage as the message's wParam: truncated, and kept within int32 for the cast.
WPARAM PercentParam(double percent) {
    const double limited = std::clamp(percent, double(std::numeric_limits<std::int32_t>::min()),
                                      double(std::numeric_limits<std::int32_t>::max()));
    return WPARAM(std::intptr_t(std::int32_t(limited)));
}

void StoreSizes(ProgressTarget& progress, const TransferStatus& status) {
    progress.total.store(std::int64_t(status.total), std::memory_order_relaxed);
    progress.received.store(std::int64_t(status.received), std::memory_order_relaxed);
}

}  // namespace

DownLoadThread::~DownLoadThread() {
    // The job reads this object's fields: it must be over before they go.
    StopAndJoin();
}

void DownLoadThread::Launch() {
    Start(&DownLoadThread::RunInstall, this);
    Trigger();
}

std::uint32_t DownLoadThread::RunInstall(void* context) {
    auto& worker = *static_cast<DownLoadThread*>(context);
    worker.running = true;
    const CancelCheck stopped = [&worker] { return worker.StopRequested(); };
    if (RequestInstall(worker, stopped) && FetchManifest(worker, stopped) && worker.DownloadFiles()) {
        ExtractPackage(worker, worker);
    }
    PostToWindow(worker.notifyWindow, UM_INSTALL_FINISHED, 0, 0);
    worker.running = false;
    return 0;
}

bool DownLoadThread::DownloadFiles() {
    if (files.empty()) return false;
    error = 0;
    PostToWindow(notifyWindow, UM_DOWNLOAD_STARTED, 0, 0);

    const std::wstring appData = CommonAppDataFolder();
    downloadDir = appData.empty() ? std::wstring() : JoinPath(appData, kProductFolderName);
    std::error_code ignored;  // a folder that cannot be made shows at verification
    if (!downloadDir.empty())
        std::filesystem::create_directory(PathFromUtf8(WideToUtf8(downloadDir)), ignored);
    downloading = true;

    if (!ManifestIsUsable()) {
        error = kErrorBadManifestEntry;
        downloading = false;
        return false;
    }
    if (downloadDir.empty()) {
        // Without the folder there is nowhere to put the files: a bare name would land in whatever
        // the current directory is.
        error = kErrorFileNotVerified;
        downloading = false;
        return false;
    }

    const std::string folder = WideToUtf8(downloadDir);
    for (ManifestFile& file : files) {
        // A name in a subfolder may use either separator; the file lands where the engine writes it.
        const std::string path = JoinPath(folder, NativeSeparators(file.name));
        Log(WideFormat(L"开始下载 文件名:%ls 地址:%ls", Utf8ToWide(file.name).c_str(),
                       AnsiToWide(file.downUrl).c_str()));
        DownloadFile(file, path);
        if (error != 0 || StopRequested()) break;
    }

    SleepUnlessStopped(kEndPauseMs);
    if (StopRequested() && error == 0) error = CURLE_ABORTED_BY_CALLBACK;
    downloading = false;
    if (error != 0) return false;
    if (IsWindowAlive(notifyWindow)) {
        Log(L"所有文件下载完成");
        PostToWindow(notifyWindow, UM_DOWNLOAD_DONE, 0, 0);
    }
    return true;
}

bool DownLoadThread::ManifestIsUsable() const {
    return std::all_of(files.begin(), files.end(), [](const ManifestFile& file) {
        return !file.downUrl.empty() && !file.hash.empty() && ManifestNameStaysInFolder(file.name);
    });
}

void DownLoadThread::DownloadFile(ManifestFile& file, const std::string& path) {
    std::string validator;  // of the answer that started the partial file the last attempt left
    for (int failed = 0;;) {
        Attempt(file, path, validator);
        if (error == 0 || StopRequested()) return;
        ++failed;
        if (!SleepUnlessStopped(kRetryPauseMs)) return;
        Log(WideFormat(L"重新下载文件, 第%d次 文件名:", failed) + Utf8ToWide(path));
        if (failed >= kMaxAttempts) return;
    }
}

void DownLoadThread::Attempt(ManifestFile& file, const std::string& path, std::string& validator) {
    TransferEngine engine;
    engine.SetFinishObserver([this] { Notify(); });
    // A refused task (a path or URL too long for the task record) leaves nothing to verify, so the
    // attempt fails at verification like one whose file cannot be written.
    engine.AddTask({file.downUrl, path, validator});
    if (engine.StartTransfers() == 0) {
        PollTransfer(*this, engine, kSampleIntervalMs, [&file](const TransferStatus& status, double speed) {
            const double percent = Percent(status);
            LogTransferSample(status.path, percent, speed);
            StoreSizes(file.progress, status);
            PostToWindow(file.progress.window, file.progress.message, PercentParam(percent), 0);
        });
    }

    TransferStatus status;
    engine.GetStatus(status);
    Log(WideFormat(L"正在下载:%ls, 下载进度 : %6.2lf%%", Utf8ToWide(status.path).c_str(), Percent(status)));
    if (StopRequested()) {
        error = engine.LastError() != 0 ? engine.LastError() : CURLE_ABORTED_BY_CALLBACK;
        return;
    }

    // The next attempt continues the file when this one ended early; a file the server delivered
    // whole that still fails verification is started again from its first byte.
    validator = status.validator;
    const bool delivered = engine.LastError() == 0;
    std::string digest;
    if (!Md5OfFile(path, digest)) {
        Log(L"文件不能打开. 文件名:" + Utf8ToWide(path));
        error = kErrorFileNotVerified;
        if (delivered) validator.clear();
        return;
    }
    if (digest != file.hash) {
        Log(L"文件hash值不匹配. 文件名:" + Utf8ToWide(path));
        error = kErrorFileNotVerified;
        if (delivered) validator.clear();
        return;
    }
    error = engine.LastError();
    StoreSizes(file.progress, status);
    if (error == 0) PostToWindow(file.progress.window, file.progress.message, 100, 0);
}
