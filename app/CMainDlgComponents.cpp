// CMainDlg: the component check page — detection of WIC and .NET Framework 4.0, the download and
// setup of what is missing, and the hand-over to the install form or the failure page.
#include "app/CMainDlg.h"
#include "app/ExitCode.h"
#include "components/ComponentTable.h"
#include "components/DownloadFolder.h"
#include "install/InstallFolders.h"
#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"

void CMainDlg::StartComponentCheck() {
    for (SWindow* page :
         {controls.winCheckComponetError, controls.winInstallAllnew, controls.winInstallMigration,
          controls.winInstallProgress, controls.winInstallFinish, controls.winInstallMessage,
          controls.winInstallQuit, controls.winInstallType}) {
        ShowControl(page, false);
    }
    SetControlText(controls.lbWindowsTitle, L"@string/title_init");
    ShowPage(controls.winCheckComponet);
    SetControlText(controls.lbCheckComponetStatus, L"@string/msg_hint_check_system_enviorment");
    ShowControl(controls.lbWicProgress, false);
    ShowControl(controls.lbDotnetframework4Progress, false);
    // The checks run from a timer so the page is painted before they start.
    SetTimer(kCheckComponentsTimer, kCheckComponentsMs);
}

void CMainDlg::CheckComponents() {
    componentDownloader.notifyWindow = GetHwnd();
    // WIC is always queued before .NET.
    if (controls.lbWicProgress && controls.chkWicComponet) {
        QueueMissingComponent(controls.chkWicComponet, controls.lbWicProgress, kComponentWic,
                              L"需要下载WIC, url");
    }
    if (controls.chkDotnetframework4Componet && controls.lbDotnetframework4Progress) {
        QueueMissingComponent(controls.chkDotnetframework4Componet, controls.lbDotnetframework4Progress,
                              kComponentDotNet4, L"需要下载.net framework4.0, url");
    }
    if (componentDownloader.tasks.IsEmpty()) {
        SetTimer(kShowInstallFormTimer, kShowInstallFormMs);
        return;
    }
    componentDownloader.Start(&InstallComponentThread::Job, &componentDownloader);
    componentDownloader.Trigger();
}

void CMainDlg::QueueMissingComponent(SWindow* check, SWindow* label, std::int32_t id,
                                     const wchar_t* logText) {
    const std::vector<Component> table = ComponentTable();
    const Component* component = FindComponent(table, id);
    if (!component) return;
    if (component->isInstalled()) {
        label->Show(false, true);
        check->SetCheck(true);
        return;
    }
    check->SetCheck(false);
    label->Show(true, true);
    label->SetText(L"@string/msg_hint_waiting_download_component");
    // The folder is made (or judged, and replaced when others may write to it) once something is
    // to be downloaded into it.
    if (componentDownloader.tasks.IsEmpty()) {
        const std::wstring wanted = ComponentDownloadDirectory();
        componentDownloader.downloadDir = PrepareDownloadFolder(wanted);
        if (componentDownloader.downloadDir != wanted) freshDownloadFolder = componentDownloader.downloadDir;
    }
    componentDownloader.tasks.Push(ComponentTask{id, component->installerUrl});
    componentSetup.tasks.Push(
        ComponentTask{id, InstallerPath(componentDownloader.downloadDir, component->installerUrl)});
    Log(logText + AnsiToWide(component->installerUrl));
}

SWindow* CMainDlg::ComponentLabel(WPARAM id) const {
    if (id == static_cast<WPARAM>(kComponentDotNet4)) return controls.lbDotnetframework4Progress;
    if (id == static_cast<WPARAM>(kComponentWic)) return controls.lbWicProgress;
    return nullptr;
}

void CMainDlg::OnComponentDownloadStarted(WPARAM id) {
    SetControlText(ComponentLabel(id), L"@string/msg_hint_waiting_download_component");
    SetControlText(controls.lbCheckComponetStatus, L"@string/msg_hint_download_system_componet");
}

void CMainDlg::OnComponentDownloadProgress(WPARAM id, LPARAM percent) {
    SetControlText(ComponentLabel(id), WideFormat(L"%d%%...", static_cast<int>(percent)));
}

void CMainDlg::OnComponentDownloadEnded(WPARAM id) {
    if (id != 0) {
        // Also after a failed component: the queue's final message decides what happens next.
        SetControlText(ComponentLabel(id), L"100%");
        return;
    }
    const bool idle = WaitForWorkerIdle(componentDownloader.busy);
    const std::int32_t status = componentDownloader.downloadStatus;
    if (!idle || status != 0) {
        Log(WideFormat(L"下载失败: 文件ID: %d, 错误: %d", static_cast<int>(id), status));
        if (idle) RemoveFreshDownloadFolder();
        ShowComponentFailure(L"@string/msg_hint_download_failed_by_network_issue");
        return;
    }
    if (componentDownloader.tasks.IsEmpty()) {
        SetControlText(controls.lbCheckComponetStatus, L"@string/msg_hint_installing_system_componet");
    }
    if (!componentSetup.tasks.IsEmpty()) {
        Log(L"Start setup component process");
        componentSetup.notifyWindow = GetHwnd();
        componentSetup.quiet = run.Unattended();
        componentSetup.Start(&SetupComponentThread::Job, &componentSetup);
        componentSetup.Trigger();
    }
}

void CMainDlg::OnComponentSetupStarted(WPARAM id) {
    SetControlText(ComponentLabel(id), L"@string/msg_hint_waiting_install_component");
    SetControlText(controls.lbCheckComponetStatus, L"@string/msg_hint_installing_system_componet");
}

void CMainDlg::OnComponentSetupEnded() {
    const bool idle = WaitForWorkerIdle(componentSetup.busy);
    if (idle) RemoveFreshDownloadFolder();
    if (idle && componentSetup.setupStatus == 0) {
        SetTimer(kShowInstallFormTimer, kShowInstallFormMs);
        return;
    }
    ShowComponentFailure(L"@string/msg_hint_system_componet_install_failed");
}

// A folder made beside the usual one for this run alone (PrepareDownloadFolder) goes with its
// installers once the workers are done with them: by its random name nobody would find it again.
// The usual folder keeps its installers.
void CMainDlg::RemoveFreshDownloadFolder() {
    if (freshDownloadFolder.empty()) return;
    if (DeleteTree(freshDownloadFolder))
        Log(WideFormat(L"The download folder %ls is removed with its installers",
                       freshDownloadFolder.c_str()));
    freshDownloadFolder.clear();
}

// The failure page is final: it offers the manual download links and no retry.
void CMainDlg::ShowComponentFailure(const wchar_t* reasonKey) {
    ShowPage(controls.winCheckComponetError);
    ShowControl(controls.winCheckComponet, false);
    SetControlText(controls.lbComponetInstallfailed, reasonKey);
    if (run.Unattended()) EndUnattendedRun(kExitPrerequisiteFailed);
}

void CMainDlg::ShowInstallForm() {
    ShowControl(controls.winCheckComponet, false);
    ShowControl(controls.winCheckComponetError, false);
    if (controls.winInstallType) {
        ShowPage(controls.winInstallType);
    } else if (controls.winInstallAllnew) {
        PrepareSetupForm();
        ShowPage(controls.winInstallAllnew);
    }
    SetControlText(controls.lbWindowsTitle, L"@string/title");
    if (run.Unattended()) StartUnattendedInstall();
}
