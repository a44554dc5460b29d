// CMainDlg: the message overlay, the quit question, the close rule, minimise and quitting.
#include "app/CMainDlg.h"
#include "app/ExitCode.h"
#include "dui/include/core/SApplication.h"
#include "dui/include/core/SUiDef.h"
#include "support/Log.h"

void CMainDlg::ShowMessage(bool show, const std::wstring& text) {
    if (!controls.winInstallMessage) return;
    if (!show) {
        ShowControl(controls.winInstallMessage, false, true);
        return;
    }
    // Every text the operator is shown also goes to the log, so a run can be followed there.
    Log(L"Message overlay: " + text);
    // Callers resolve our own texts; what comes from the install service is shown as it came,
    // never looked up as a resource reference.
    if (controls.lbMessage) controls.lbMessage->SetTextLiteral(text);
    ShowPage(controls.winInstallMessage);
    if (controls.btnMsgdlgYes) controls.btnMsgdlgYes->SetFocus();
}

void CMainDlg::ShowQuitConfirm(bool show) {
    // The question replaces any message that is still shown.
    ShowMessage(false, std::wstring());
    if (!controls.winInstallQuit) return;
    if (!show) {
        ShowControl(controls.winInstallQuit, false, true);
        return;
    }
    Log(L"Quit overlay: " + ResolveString(L"@string/msg_want_quit"));
    ShowPage(controls.winInstallQuit);
    // The default answer is to stay.
    if (controls.quitdlgBtnNo) controls.quitdlgBtnNo->SetFocus();
}

void CMainDlg::OnCloseRequest() {
    if (run.uninstall) {
        QuitApplication(exitOnMessageClosed.value_or(kExitCancelled));
        return;
    }
    // Package files or component installers being downloaded cannot be abandoned half-way.
    if (downloader.downloading || componentDownloader.busy) {
        ShowMessage(true, ResolveString(L"@string/msg_hint_setuup_in_progress"));
        return;
    }
    if (IsControlShown(controls.winInstallFinish)) {
        QuitApplication();
        return;
    }
    // An unattended run asks nothing: closing its window cancels it.
    if (run.Unattended()) {
        EndUnattendedRun(kExitCancelled);
        return;
    }
    ShowQuitConfirm(true);
}

void CMainDlg::QuitApplication(int exitCode) {
    DestroyWindow();
    if (SApplication* app = SApplication::Current()) app->PostQuitMessage(exitCode);
}

void CMainDlg::Minimise() {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}
