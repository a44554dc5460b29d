// CMainDlg: the messages of an installation run (DownLoadThread) — page change, progress, phase
// label, the end of the run with its errors, and the launch of the installed program.
#include <algorithm>
#include <cstdint>

#include "app/CMainDlg.h"
#include "dui/include/core/SUiDef.h"
#include "install/ExtractPackage.h"
#include "support/Clock.h"
#include "support/Log.h"
#include "support/LogFile.h"
#include "support/WideFormat.h"
#include "support/platform/Process.h"

double CMainDlg::DownloadProgress() const {
    const auto& files = downloader.files;
    if (files.empty()) return 0;
    double sum = 0;
    for (const ManifestFile& file : files) {
        // A file whose size is not known yet adds nothing but still counts in the average.
        const std::int64_t total = file.progress.total.load(std::memory_order_relaxed);
        const std::int64_t received = file.progress.received.load(std::memory_order_relaxed);
        if (total > 0) sum += static_cast<double>(received) * 100.0 / static_cast<double>(total);
    }
    return sum > 0 ? sum / static_cast<double>(files.size()) : 0;
}

int CMainDlg::DownloadPercent() const {
    return static_cast<int>(DownloadProgress());
}

// The worker's counters are read as they stand; the extraction code owns how they add up.
int CMainDlg::ExtractionPercent() const {
    return ::ExtractionPercent(downloader.files);
}

void CMainDlg::OnDownloadStarted() {
    SetControlText(controls.lbInstallInfo, L"@string/msg_info_function_downloading_progress");
    downloadMeter.Reset();
    ShowDownloadSpeed(L"");
    ShowProgressPage();
}

void CMainDlg::OnDownloadProgress() {
    ShowProgressValue(DownloadPercent());
    std::uint64_t bytes = 0;
    for (const ManifestFile& file : downloader.files) {
        bytes +=
            std::uint64_t(std::max<std::int64_t>(0, file.progress.received.load(std::memory_order_relaxed)));
    }
    downloadMeter.Add(Clock::Ticks(), bytes, DownloadProgress());
    ShowDownloadSpeed(downloadMeter.Text(ResolveString(L"@string/msg_info_download_time_left")));
}

void CMainDlg::OnDownloadDone() {
    // The bar keeps its last value until the first extraction progress; speed means nothing then.
    SetControlText(controls.lbInstallInfo, L"@string/msg_info_function_installing_progress");
    ShowDownloadSpeed(L"");
    // The package is unpacked next: a log-off in the middle would leave half a program behind.
    HoldSessionEnd(ResolveString(L"@string/msg_hint_session_end_extracting"));
}

void CMainDlg::HoldSessionEnd(const std::wstring& reason) {
    if (IHostWindow* window = GetHostWindow()) window->HoldSessionEnd(reason);
}

void CMainDlg::OnExtractProgress() {
    ShowProgressValue(ExtractionPercent());
}

void CMainDlg::OnExtractDone() {
    HoldSessionEnd(L"");  // the package is whole
    WaitForWorkerIdle(downloader.running);
    if (downloader.downloading || downloader.extracting) return;
    ShowFinishPage();
    packageInstalled = true;
    if (downloader.launchPath.empty()) return;
    RegisterFinishedRun();
    if (!run.launch) {
        Log(L"Not started (/NOLAUNCH): " + downloader.launchPath);
        return;
    }
    ShellOpen(downloader.launchPath);
    Log(L"Start process. file:" + downloader.launchPath);
}

void CMainDlg::OnInstallFinished() {
    WaitForWorkerIdle(downloader.running);
    HoldSessionEnd(L"");  // extracted, cleaned up after a failure, or never begun
    ShowDownloadSpeed(L"");
    if (downloader.kind == kInstallKindSetup) {
        EnableControl(controls.btnStartInstallAllnew, true);
    } else if (downloader.kind == kInstallKindMigration) {
        EnableControl(controls.btnStartMigrate, true);
    }
    if (downloader.error == kErrorFilesInUse) {
        // Nothing was deleted: once the program is closed the operator starts again from the form.
        ReturnToForm();
        ShowMessage(true,
                    ResolveString(L"@string/msg_error_install_in_use") + L"\n" + downloader.busyProgram);
    } else if (downloader.error != 0) {
        ShowFailure(ResolveString(L"@string/msg_error_download_server") +
                    WideFormat(L"%d", downloader.error));
        if (downloader.error == kErrorBadManifestEntry || downloader.error == kErrorFileNotVerified) {
            SetControlText(controls.lbInstallInfo, L"@string/msg_info_function_downloading_error_retry");
        } else if (IsExtractionError(downloader.error)) {
            SetControlText(controls.lbInstallInfo, L"@string/msg_info_function_installing_error_retry");
        }
    } else if (downloader.retcode != 0) {
        // A refusal of the install service: its own message, exactly as it came.
        Log(WideFormat(L"The install service refused the installation: retcode %d", downloader.retcode));
        ShowFailure(downloader.retmsg);
    } else if (downloader.files.empty()) {
        // A manifest that lists no files ends the run with neither our error nor the service's;
        // without a word here the operator would be back on the form with nothing installed and no
        // reason.
        ShowFailure(ResolveString(L"@string/msg_error_download_url_empty"));
    }
    if (run.Unattended()) EndUnattendedRun(InstallOutcome());
}

void CMainDlg::ShowFailure(const std::wstring& text) {
    const std::wstring logFile = LogFilePath();
    ShowMessage(
        true, logFile.empty() ? text : text + L"\n" + ResolveString(L"@string/msg_info_log_file") + logFile);
}
