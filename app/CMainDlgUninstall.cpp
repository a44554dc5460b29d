// CMainDlg: the entry in "Programs and Features" after an install, and the uninstall — its one
// question in the quit overlay, the removal, and the refusal while a file is in use.
#include "app/CMainDlg.h"
#include "app/ExitCode.h"
#include "app/InstallationRecord.h"
#include "app/ProductRegistration.h"
#include "app/Uninstall.h"
#include "dui/include/core/SUiDef.h"
#include "support/Log.h"
#include "support/WideFormat.h"

void CMainDlg::RegisterFinishedRun() {
    const Installation installation = RecordInstallation(downloader, createdFolder);
    registrationFailed = installation.uninstaller.empty() || !RegisterInstallation(installation);
    Log(registrationFailed ? L"The entry in Programs and Features could not be written"
                           : L"Registered in Programs and Features: " + installation.installDir);
}

void CMainDlg::StartUninstall() {
    for (SWindow* page :
         {controls.winCheckComponet, controls.winCheckComponetError, controls.winInstallAllnew,
          controls.winInstallMigration, controls.winInstallProgress, controls.winInstallFinish,
          controls.winInstallMessage, controls.winInstallQuit, controls.winInstallType}) {
        ShowControl(page, false);
    }
    SetControlText(controls.lbWindowsTitle, L"@string/title");
    if (!ReadInstallation()) {
        Log(L"Uninstall: no installation is registered on this machine");
        EndUninstall(kExitNotInstalled, ResolveString(L"@string/msg_error_not_installed"));
        return;
    }
    if (run.Unattended()) {
        RunUninstall();
        return;
    }
    ShowQuitConfirm(true);
    if (SWindow* question = FindChildByName(L"lb_want_quit", -1))
        question->SetText(L"@string/msg_want_uninstall");
    Log(L"Uninstall overlay: " + ResolveString(L"@string/msg_want_uninstall"));
}

void CMainDlg::RunUninstall() {
    ShowQuitConfirm(false);
    const std::optional<Installation> installation = ReadInstallation();
    if (!installation) {
        EndUninstall(kExitNotInstalled, ResolveString(L"@string/msg_error_not_installed"));
        return;
    }
    std::wstring busyProgram;
    const int exitCode = RemoveInstallation(*installation, busyProgram);
    EndUninstall(exitCode, exitCode == kExitFilesInUse
                               ? ResolveString(L"@string/msg_error_uninstall_in_use") + busyProgram
                               : std::wstring());
}

void CMainDlg::EndUninstall(int exitCode, const std::wstring& message) {
    if (run.Unattended() || message.empty()) {
        Log(WideFormat(L"Uninstall ends with exit code %d", exitCode));
        QuitApplication(exitCode);
        return;
    }
    exitOnMessageClosed = exitCode;
    ShowFailure(message);
}
