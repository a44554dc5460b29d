// CMainDlg: the message overlay, the quit question, the close rule, minimise and quitting.
#include "app/CMainDlg.h"
#include "dui/include/core/SApplication.h"
#include "dui/include/core/SUiDef.h"
#include "support/Log.h"

void CMainDlg::ShowMessage(bool show, const std::wstring& text) {
    if (!controls.winInstallMessage) return;
    if (show) {
        // Every text the operator is shown also goes to the log, so a run can be followed there.
        Log(L"Message overlay: " + text);
        // Callers resolve our own texts; what comes from the install service is shown as it came,
        // never looked up as a resource reference.
        if (controls.lbMessage) controls.lbMessage->SetTextLiteral(text);
    }
    if (show) {
        ShowPage(controls.winInstallMessage);
    } else {
        controls.winInstallMessage->Show(false, true);
    }
    if (show && controls.btnMsgdlgYes) controls.btnMsgdlgYes->SetFocus();
}

void CMainDlg::ShowQuitConfirm(bool show) {
    // The question replaces any message that is still shown.
    ShowMessage(false, std::wstring());
    if (!controls.winInstallQuit) return;
    if (show) Log(L"Quit overlay: " + ResolveString(L"@string/msg_want_quit"));
    if (show) {
        ShowPage(controls.winInstallQuit);
    } else {
        controls.winInstallQuit->Show(false, true);
    }
    // The default answer is to stay.
    if (show && controls.quitdlgBtnNo) controls.quitdlgBtnNo->SetFocus();
}

void CMainDlg::OnCloseRequest() {
    // Package files or component installers being downloaded cannot be abandoned half-way.
    if (downloader.downloading || componentDownloader.busy) {
        ShowMessage(true, ResolveString(L"@string/msg_hint_setuup_in_progress"));
        return;
    }
    if (IsControlShown(controls.winInstallFinish)) {
        QuitApplication();
        return;
    }
    ShowQuitConfirm(true);
}

void CMainDlg::QuitApplication() {
    DestroyWindow();
    if (SApplication* app = SApplication::Current()) app->PostQuitMessage(0);
}

void CMainDlg::Minimise() {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}
