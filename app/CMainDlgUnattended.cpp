// CMainDlg: unattended runs — the form filled from the command line and started, and the exit
// code each outcome ends the run with.
#include "app/CMainDlg.h"
#include "app/ExitCode.h"
#include "install/ExtractPackage.h"
#include "support/Log.h"
#include "support/WideFormat.h"

void CMainDlg::StartUnattendedInstall() {
    if (run.uninstall) return;
    // Values from the command line are taken as written, never looked up as "@string/" references.
    if (run.folder && controls.editInstallPathAllnew)
        controls.editInstallPathAllnew->SetTextLiteral(*run.folder);
    if (controls.editNetBarIdAllnew) controls.editNetBarIdAllnew->SetTextLiteral(run.shop);
    if (controls.editNetBarPwdAllnew) controls.editNetBarPwdAllnew->SetTextLiteral(run.password);
    // The form's own rules judge the values; a refusal has shown (and logged) its message.
    if (!OnStartInstall(kInstallKindSetup)) EndUnattendedRun(kExitBadArguments);
}

int CMainDlg::InstallOutcome() const {
    if (downloader.error == kErrorFilesInUse) return kExitFilesInUse;
    if (IsExtractionError(downloader.error)) return kExitExtractionFailed;
    if (downloader.error != 0) return kExitDownloadFailed;
    if (downloader.retcode != 0) return kExitRefusedByService;
    if (!packageInstalled) return kExitDownloadFailed;
    if (registrationFailed) return kExitNotRegistered;
    return componentSetup.restartNeeded ? kExitRestartNeeded : kExitInstalled;
}

void CMainDlg::EndUnattendedRun(int exitCode) {
    Log(WideFormat(L"Unattended run ends with exit code %d", exitCode));
    QuitApplication(exitCode);
}
