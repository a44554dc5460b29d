#include "components/InstallComponentThread.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

#include "components/ComponentTable.h"
#include "download/TransferEngine.h"
#include "support/Clock.h"
#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/WindowMessages.h"
#include "support/WizardMessages.h"
#include "support/platform/FileSystemPath.h"

namespace {

// While the engine prepares its transfer (size query, file creation) progress is looked at again soon.
constexpr std::uint32_t kPreparingPollMs = 20;

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
        Log(WideFormat(L"开始下载组件 ID:%d 地址:%ls", task.id, AnsiToWide(task.location).c_str()));
        if (downloadDir.empty()) {
            Log(WideFormat(L"安装路径为空 ID:%d 路径:%ls", task.id, downloadDir.c_str()));
            jobStatus = kDownloadFailed;
            break;
        }
        std::error_code ignored;  // one level; a folder that cannot be made fails the transfers
        std::filesystem::create_directory(PathFromAnsi(WideToAnsi(downloadDir)), ignored);
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
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        downloadStatus = jobStatus;
        if (Attempt(task, localPath)) {
            Post(UM_COMPONENT_DOWNLOAD_PROGRESS, WPARAM(task.id), 100);
            return true;
        }
        downloadStatus = kDownloadFailed;
        if (!SleepUnlessStopped(kRetryPauseMs)) return false;
        Log(WideFormat(L"重新下载文件, 第%d次 文件名:%ls", attempt, AnsiToWide(localPath).c_str()));
    }
    return false;
}

bool InstallComponentThread::Attempt(const ComponentTask& task, const std::string& localPath) {
    TransferEngine engine;
    engine.SetFinishObserver([this] { Notify(); });
    // A task the engine refuses (a path or name it cannot hold) would end with nothing announced and
    // nothing received, which the size check would take for a success.
    if (!engine.AddTask({task.location, localPath}) || engine.StartTransfers() != 0) return false;
    totalBytes = 0;
    receivedBytes = 0;
    FollowProgress(engine, task.id, localPath);
    if (!engine.IsFinished()) return false;  // stopped: the engine's destructor aborts the transfer

    TransferStatus status;
    engine.GetStatus(status);
    Log(WideFormat(L"正在下载:%ls, 下载进度 : %6.2lf%%", AnsiToWide(localPath).c_str(), PercentOf(status)));
    totalBytes = Truncated(status.total);
    receivedBytes = Truncated(status.received);
    return engine.LastError() == 0 && totalBytes == receivedBytes;
}

void InstallComponentThread::FollowProgress(TransferEngine& engine, std::int32_t id,
                                            const std::string& localPath) {
    const std::wstring shownPath = AnsiToWide(localPath);
    double previousReceived = 0;
    std::uint64_t sampleTick = Clock::Ticks();
    while (!engine.IsFinished() && !StopRequested()) {
        std::uint32_t wait = kPreparingPollMs;
        if (engine.IsRunning()) {
            TransferStatus status;
            engine.GetStatus(status);
            const std::uint64_t now = Clock::Ticks();
            const double speed =
                now > sampleTick ? (status.received - previousReceived) / double(now - sampleTick) : 0;
            Log(WideFormat(L"正在下载:%ls, 下载进度 : %6.2lf%%, 下载速度 : %9.2lfKB / s", shownPath.c_str(),
                           PercentOf(status), speed));
            Log(WideFormat(L"文件长度:%lld，已下载长度:%lld", static_cast<long long>(status.total),
                           static_cast<long long>(status.received)));
            sampleTick = now;
            totalBytes = Truncated(status.total);
            receivedBytes = Truncated(status.received);
            Post(UM_COMPONENT_DOWNLOAD_PROGRESS, WPARAM(id), LPARAM(PercentOf(status)));
            previousReceived = status.received;
            wait = kSampleMs;
        }
        WaitUntil(wait, [&engine] { return engine.IsFinished(); });
    }
}

// A window that is gone drops the message, as posting to a destroyed window does.
void InstallComponentThread::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostToWindow(notifyWindow, message, wParam, lParam);
}
