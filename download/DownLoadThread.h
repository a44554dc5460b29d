// The worker that performs a whole installation run in the background: register the installation
// with the install service, read the manifest, download and verify every file, unpack the package.
// Each step runs only when the one before it succeeded, and the run always ends by posting
// UM_INSTALL_FINISHED to `notifyWindow`.
//
// Owner: the main window holds it as a member. Before Launch the window sets `kind`, `installDir`,
// `notifyWindow` and the install parameters (the InstallJob fields); it reads `error`, `retcode`
// and `retmsg` after UM_INSTALL_FINISHED, once `running` has dropped. While the run goes on it may
// read `downloading`, `extracting`, the files' progress sizes and extraction counters (samples).
//
// Messages, posted (never sent) and only while the target window exists:
//   UM_DOWNLOAD_STARTED   the file list is not empty and the download begins
//   UM_DOWNLOAD_PROGRESS  per progress sample of a file (at most one per 500 ms), through the
//                         file's ProgressTarget, wParam = percentage; 100 once the file is verified
//   UM_DOWNLOAD_DONE      every file downloaded and verified
//   UM_EXTRACT_PROGRESS / UM_EXTRACT_DONE  from the extraction (install/ExtractPackage.h)
//   UM_INSTALL_FINISHED   last message of every run, whatever the outcome
//
// `error` after a run: 0 (see `retcode`/`retmsg` for a refusal), -1 service unreachable or reply
// malformed, -2 manifest rejected (an entry without "downUrl" or "hash", or a "name" that could lead
// outside the download folder; nothing downloaded), -3 a file unreadable or its digest wrong after ten attempts,
// a positive libcurl code when the last attempt's transfer failed, -4 or a ZIP result code when the
// extraction failed.
//
// Destroying the worker mid-run stops it promptly: the transfer in progress is aborted, no further
// file or archive item is started, and what was already extracted stays in place.
#pragma once

#include <cstdint>
#include <string>

#include "service/InstallJob.h"
#include "support/Thread.h"

class DownLoadThread : public Thread, public InstallJob {
public:
    static constexpr std::uint32_t kSampleIntervalMs = 500;
    static constexpr std::uint32_t kRetryPauseMs = 5000;
    static constexpr int kMaxAttempts = 10;
    // A last pause before the download step reports its end.
    static constexpr std::uint32_t kEndPauseMs = 500;

    DownLoadThread() = default;
    ~DownLoadThread() override;

    // Starts (or reuses) the worker thread with RunInstall and triggers one run.
    void Launch();

    // The job: request → manifest → download → extract, then UM_INSTALL_FINISHED. Returns 0.
    static std::uint32_t RunInstall(void* context);

    // Downloads and verifies every file of `files` into the download directory (the common
    // application data folder + "Ostrelle"). True when every file arrived with its digest; an empty
    // list gives false with `error` 0 and no message.
    bool DownloadFiles();

private:
    // Checks every entry before anything is downloaded; false (error -2) rejects the manifest.
    bool ManifestIsUsable() const;
    // Up to kMaxAttempts transfers of one file, each verified; leaves `error` at the last outcome.
    // An attempt that ends early leaves its bytes for the next one to continue.
    void DownloadFile(ManifestFile& file, const std::string& path);
    // One transfer and its verification; sets `error` (0 on success). `validator` names the version
    // of the partial file the previous attempt left (empty: start from zero) and is updated for the next.
    void Attempt(ManifestFile& file, const std::string& path, std::string& validator);
};
