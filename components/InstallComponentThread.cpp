#include "components/InstallComponentThread.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

#include "components/ComponentTable.h"
#include "components/InstallerAdmission.h"
#include "download/TransferEngine.h"
#include "download/TransferPoll.h"
#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/WindowMessages.h"
#include "support/WizardMessages.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/HeldInstaller.h"

namespace {

// received / total × 100 within 0..100; 0 while the total is unknown.
double PercentOf(const TransferStatus& status) {
    return status.total > 0 ? std::clamp(status.received / status.total * 100, 0.0, 100.0) : 0.0;
}

// The engine's sizes (doubles) as the worker's 32-bit fields: truncated, saturated beyond their range.
std::int32_t Truncated(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(std::clamp(value, kMin, kMax));
}

}  // namespace

InstallComponentThread::~InstallComponentThread() {
    StopAndJoin();
}

std::uint32_t InstallComponentThread::Job(void* context) {
    static_cast<InstallComponentThread*>(context)->DownloadAll();
    return 0;
}

void InstallComponentThread::DownloadAll() {
    if (tasks.IsEmpty()) return;
    busy = true;
    // The first failure of the job stays: a component that could not be downloaded must end on
    // the failure page even when a later one succeeds, and its partial installer must never run.
    std::int32_t jobStatus = 0;
    downloadStatus = 0;
    ComponentTask task;
    while (!StopRequested() && tasks.TryPop(task)) {
        Post(UM_COMPONENT_DOWNLOAD_STARTED, WPARAM(task.id), 0);
        Log(WideFormat(L"开始下载组件 ID:%d 地址:%ls", task.id, Utf8ToWide(task.location).c_str()));
        if (downloadDir.empty()) {
            Log(WideFormat(L"安装路径为空 ID:%d 路径:%ls", task.id, downloadDir.c_str()));
            jobStatus = kDownloadFailed;
            break;
        }
        std::error_code ignored;  // one level; a folder that cannot be made fails the transfers
        std::filesystem::create_directory(PathFromUtf8(WideToUtf8(downloadDir)), ignored);
        if (!DownloadComponent(task, InstallerPath(downloadDir, task.location), jobStatus))
            jobStatus = kDownloadFailed;
        downloadStatus = jobStatus;
        Post(UM_COMPONENT_DOWNLOAD_ENDED, WPARAM(task.id), 0);
        SleepUnlessStopped(kNextComponentPauseMs);
    }
    // A queue abandoned with components left (no folder, or the worker stopped) is a failure too.
    if (!tasks.IsEmpty()) jobStatus = kDownloadFailed;
    downloadStatus = jobStatus;
    Post(UM_COMPONENT_DOWNLOAD_ENDED, 0, 0);
    busy = false;
}

bool InstallComponentThread::DownloadComponent(const ComponentTask& task, const std::string& localPath,
                                               std::int32_t jobStatus) {
    std::string validator;  // of the answer that started the partial installer the last attempt left
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        downloadStatus = jobStatus;
        if (Attempt(task, localPath, validator)) {
            HeldInstaller installer;
            if (const std::uint32_t openError = installer.Open(localPath); openError != 0) {
                // A refused installer says why in AdmitInstaller; one that cannot be held says so here.
                Log(WideFormat(L"Installer could not be opened for its proof: ID:%d %ls: error %u", task.id,
                               Utf8ToWide(localPath).c_str(), unsigned(openError)));
            } else if (AdmitInstaller(task.id, installer, localPath)) {
                Post(UM_COMPONENT_DOWNLOAD_PROGRESS, WPARAM(task.id), 100);
                return true;
            }
            validator.clear();  // refused and deleted, or unreadable: the next attempt starts afresh
        }
        downloadStatus = kDownloadFailed;
        if (!SleepUnlessStopped(kRetryPauseMs)) return false;
        Log(WideFormat(L"重新下载文件, 第%d次 文件名:%ls", attempt, Utf8ToWide(localPath).c_str()));
    }
    return false;
}

bool InstallComponentThread::Attempt(const ComponentTask& task, const std::string& localPath,
                                     std::string& validator) {
    TransferEngine engine;
    engine.SetFinishObserver([this] { Notify(); });
    // A task the engine refuses (a path or name it cannot hold) would end with nothing announced and
    // nothing received, which the size check would take for a success.
    if (!engine.AddTask({task.location, localPath, validator}) || engine.StartTransfers() != 0) return false;
    totalBytes = 0;
    receivedBytes = 0;
    const bool finished =
        PollTransfer(*this, engine, kSampleMs, [&](const TransferStatus& status, double speed) {
            LogTransferSample(localPath, PercentOf(status), speed);
            Log(WideFormat(L"文件长度:%lld，已下载长度:%lld", static_cast<long long>(status.total),
                           static_cast<long long>(status.received)));
            StoreSizes(status);
            Post(UM_COMPONENT_DOWNLOAD_PROGRESS, WPARAM(task.id), LPARAM(PercentOf(status)));
        });
    if (!finished) return false;  // stopped: the engine's destructor waits for the aborted transfer

    TransferStatus status;
    engine.GetStatus(status);
    Log(WideFormat(L"正在下载:%ls, 下载进度 : %6.2lf%%", Utf8ToWide(localPath).c_str(), PercentOf(status)));
    StoreSizes(status);
    // An installer that arrived whole but not at the announced size is fetched again from its first
    // byte; one cut short is continued by the next attempt.
    const bool delivered = engine.LastError() == 0;
    const bool complete = delivered && totalBytes == receivedBytes;
    validator = delivered && !complete ? std::string() : status.validator;
    return complete;
}

void InstallComponentThread::StoreSizes(const TransferStatus& status) {
    totalBytes = Truncated(status.total);
    receivedBytes = Truncated(status.received);
}

// A window that is gone drops the message, as posting to a destroyed window does.
void InstallComponentThread::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostToWindow(notifyWindow, message, wParam, lParam);
}
