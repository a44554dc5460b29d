// The worker that downloads the installers of missing components. The main window sets
// `downloadDir` and `notifyWindow`, pushes (id, URL) tasks on `tasks`, then calls
// Start(&InstallComponentThread::Job, &worker) and Trigger(). The job downloads each installer into
// `downloadDir` with a TransferEngine, up to ten attempts 5 s apart, and posts to `notifyWindow`.
// An installer that arrives whole but lacks its component's proof (InstallerAdmission.h) is deleted
// and counts as a failed attempt. Messages:
//
//   UM_COMPONENT_DOWNLOAD_STARTED  (id, 0)        before a component's first attempt
//   UM_COMPONENT_DOWNLOAD_PROGRESS (id, percent)  every progress sample; (id, 100) when an attempt succeeds
//   UM_COMPONENT_DOWNLOAD_ENDED    (id, 0)        after a component's attempts, success or not
//   UM_COMPONENT_DOWNLOAD_ENDED    (0, 0)         once, after the queue is drained or abandoned
//
// `busy` is true from the job's start until after its final message; the window reads
// `downloadStatus` only after that message and once `busy` has dropped. `downloadStatus` is 0 when
// every component downloaded, -2 as soon as one has failed: a later success does not hide an
// earlier failure. Destroying the worker stops the job, aborting a transfer in progress.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "components/LockedQueue.h"
#include "support/Thread.h"
#include "support/WinTypes.h"

struct TransferStatus;

class InstallComponentThread : public Thread {
public:
    static constexpr int kMaxAttempts = 10;
    static constexpr std::uint32_t kRetryPauseMs = 5000;
    static constexpr std::uint32_t kNextComponentPauseMs = 1000;
    static constexpr std::uint32_t kSampleMs = 500;
    static constexpr std::int32_t kDownloadFailed = -2;

    InstallComponentThread() = default;
    ~InstallComponentThread() override;

    // The ThreadJob; `context` is the worker.
    static std::uint32_t Job(void* context);

    std::wstring downloadDir;
    HWND notifyWindow = nullptr;
    LockedQueue tasks;
    std::atomic<std::int32_t> totalBytes{0};     // size of the latest attempt's file (-1 unknown)
    std::atomic<std::int32_t> receivedBytes{0};  // bytes the latest attempt received
    std::atomic<std::int32_t> downloadStatus{0};
    std::atomic<bool> busy{false};

private:
    void DownloadAll();
    // All attempts at one component; true once one brought the whole file and it proved itself. `jobStatus`
    // is what `downloadStatus` reads at the start of each attempt (the job's first failure, or 0). An attempt
    // that ends early leaves its bytes for the next one to continue.
    bool DownloadComponent(const ComponentTask& task, const std::string& localPath, std::int32_t jobStatus);
    // One engine run, sampled every kSampleMs; true when it ended without error and with as many
    // bytes as announced. `validator` names the version of the partial file the previous attempt
    // left (empty: start from zero) and is updated for the next.
    bool Attempt(const ComponentTask& task, const std::string& localPath, std::string& validator);
    void StoreSizes(const TransferStatus& status);
    void Post(UINT message, WPARAM wParam, LPARAM lParam) const;
};
