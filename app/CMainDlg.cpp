// CMainDlg: construction, message and command dispatch, the control look-up and the small
// null-tolerant helpers every page uses.
#include "app/CMainDlg.h"

#include <iterator>
#include <utility>

#include "app/ExitCode.h"
#include "dui/include/core/SEvents.h"
#include "support/Clock.h"
#include "support/Config.h"
#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WizardMessages.h"

namespace {

constexpr wchar_t kLayoutId[] = L"LAYOUT:XML_MAINWND";

// Bounded waits for a worker's busy flag after its final message: ten sleeps of 100 ms at most.
constexpr int kIdleWaitSleeps = 10;
constexpr std::uint32_t kIdleWaitSleepMs = 100;

}  // namespace

CMainDlg::CMainDlg(WizardRun run) : SHostWnd(kLayoutId), run(std::move(run)) {}

// The workers go first (declared last), ending their threads while the window part still exists.
CMainDlg::~CMainDlg() = default;

LRESULT CMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            InitDialog();
            return 0;
        case WM_CLOSE:
            // Never passed on: the default handling would destroy the window without asking.
            OnCloseRequest();
            return 0;
        case WM_LBUTTONDBLCLK:
            // A double click anywhere does nothing, and the controls do not see it either.
            return 0;
        case WM_DESTROY:
            KillTimer(kRotateIconsTimer);
            KillTimer(kCheckComponentsTimer);
            KillTimer(kShowInstallFormTimer);
            ForgetControls();
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            break;  // the framework's own timers keep working
        case UM_INSTALL_FINISHED:
            OnInstallFinished();
            return 0;
        case UM_DOWNLOAD_STARTED:
            OnDownloadStarted();
            return 0;
        case UM_DOWNLOAD_PROGRESS:
            OnDownloadProgress();
            return 0;
        case UM_DOWNLOAD_DONE:
            OnDownloadDone();
            return 0;
        case UM_EXTRACT_PROGRESS:
            OnExtractProgress();
            return 0;
        case UM_EXTRACT_DONE:
            OnExtractDone();
            return 0;
        case UM_COMPONENT_DOWNLOAD_STARTED:
            OnComponentDownloadStarted(wParam);
            return 0;
        case UM_COMPONENT_DOWNLOAD_PROGRESS:
            OnComponentDownloadProgress(wParam, lParam);
            return 0;
        case UM_COMPONENT_DOWNLOAD_ENDED:
            OnComponentDownloadEnded(wParam);
            return 0;
        case UM_COMPONENT_SETUP_STARTED:
            OnComponentSetupStarted(wParam);
            return 0;
        case UM_COMPONENT_SETUP_ENDED:
            OnComponentSetupEnded();
            return 0;
        default:
            break;
    }
    return SHostWnd::WindowProc(message, wParam, lParam);
}

bool CMainDlg::HandleEvent(EventArgs& evt) {
    if (evt.GetID() == EventCmd::kEventId && OnCommand(evt.nameFrom)) return true;
    return SHostWnd::HandleEvent(evt);
}

bool CMainDlg::OnCommand(const std::wstring& name) {
    if (name == L"btn_close") {
        OnCloseRequest();
    } else if (name == L"btn_min") {
        Minimise();
    } else if (name == L"btn_select_install_type") {
        OnSelectInstallType();
    } else if (name == L"btn_select_path_allnew") {
        OnSelectFolder(controls.editInstallPathAllnew);
    } else if (name == L"btn_start_install_allnew") {
        OnStartInstall(kInstallKindSetup);
    } else if (name == L"btn_select_intall_path_migrate") {
        OnSelectFolder(controls.editIntallPathMigrate);
    } else if (name == L"btn_start_migrate") {
        OnStartInstall(kInstallKindMigration);
    } else if (name == L"quitdlg_btn_yes" && run.uninstall) {
        RunUninstall();
    } else if (name == L"btn_setup_finish" || name == L"quitdlg_btn_yes") {
        QuitApplication();
    } else if (name == L"btn_msgdlg_sysclose" || name == L"btn_msgdlg_yes") {
        ShowMessage(false, std::wstring());
        if (exitOnMessageClosed) QuitApplication(*exitOnMessageClosed);
    } else if ((name == L"btn_quit_dlg_sysclose" || name == L"quitdlg_btn_no") && run.uninstall) {
        EndUninstall(kExitCancelled, std::wstring());
    } else if (name == L"btn_quit_dlg_sysclose" || name == L"quitdlg_btn_no") {
        ShowQuitConfirm(false);
    } else {
        return false;
    }
    return true;
}

void CMainDlg::OnTimer(UINT_PTR id) {
    switch (id) {
        case kRotateIconsTimer:
            if (controls.winInstallProgress == nullptr) break;
            if (!controls.winInstallProgress->IsShown(false)) {
                SetRotationTimer(false);
            } else {
                RotateFunctionIcons();
            }
            break;
        case kCheckComponentsTimer:
            KillTimer(kCheckComponentsTimer);
            CheckComponents();
            break;
        case kShowInstallFormTimer:
            KillTimer(kShowInstallFormTimer);
            ShowInstallForm();
            break;
        default:
            break;
    }
}

void CMainDlg::InitDialog() {
    FindControls();
    PointLinksAtConfiguredTargets();
    if (run.uninstall) {
        StartUninstall();
    } else {
        StartComponentCheck();
    }
}

// The links' targets are endpoints of this installation's configuration, like the installers the
// component check downloads, so the layout names the links and leaves their targets to us.
void CMainDlg::PointLinksAtConfiguredTargets() {
    const std::pair<const wchar_t*, std::string> targets[] = {
        {L"link_download_wic", WicInstallerUrl()},
        {L"link_download_dotnet40", DotNetInstallerUrl()},
        {L"link_agreement_allnew", AgreementUrl()},
    };
    for (const auto& [name, url] : targets)
        if (SWindow* link = FindChildByName(name, -1)) link->ApplyAttribute(L"href", Utf8ToWide(url), false);
}

void CMainDlg::FindControls() {
    // Look-up order, and the class a typed look-up requires (nullptr: any window).
    struct Lookup {
        const wchar_t* name;
        const wchar_t* className;
        SWindow* Controls::*field;
    };
    static const Lookup kLookups[] = {
        {L"lb_windows_title", L"text", &Controls::lbWindowsTitle},
        {L"win_check_componet", nullptr, &Controls::winCheckComponet},
        {L"win_check_componet_error", nullptr, &Controls::winCheckComponetError},
        {L"win_install_type", nullptr, &Controls::winInstallType},
        {L"win_install_allnew", nullptr, &Controls::winInstallAllnew},
        {L"win_install_migration", nullptr, &Controls::winInstallMigration},
        {L"win_install_progress", nullptr, &Controls::winInstallProgress},
        {L"win_install_finish", nullptr, &Controls::winInstallFinish},
        {L"win_install_message", nullptr, &Controls::winInstallMessage},
        {L"win_install_quit", nullptr, &Controls::winInstallQuit},
        {L"lb_check_componet_status", L"text", &Controls::lbCheckComponetStatus},
        {L"chk_wic_componet", L"check", &Controls::chkWicComponet},
        {L"lb_wic_progress", L"text", &Controls::lbWicProgress},
        {L"chk_dotnetframework4_componet", L"check", &Controls::chkDotnetframework4Componet},
        {L"lb_dotnetframework4_progress", L"text", &Controls::lbDotnetframework4Progress},
        {L"lb_componet_installfailed", L"text", &Controls::lbComponetInstallfailed},
        {L"rbtn_install_all_new", nullptr, &Controls::rbtnInstallAllNew},
        {L"rbtn_install_migrate", nullptr, &Controls::rbtnInstallMigrate},
        {L"btn_select_install_type", nullptr, &Controls::btnSelectInstallType},
        {L"rbtn_pubwin_ol", nullptr, &Controls::rbtnPubwinOl},
        {L"rbtn_pubwin_wanxiang_ol", nullptr, &Controls::rbtnPubwinWanxiangOl},
        {L"rbtn_client_style_right", nullptr, &Controls::rbtnClientStyleRight},
        {L"rbtn_client_style_top", nullptr, &Controls::rbtnClientStyleTop},
        {L"chk_client_shortcut_order", nullptr, &Controls::chkClientShortcutOrder},
        {L"chk_client_shortcut_recharge", nullptr, &Controls::chkClientShortcutRecharge},
        {L"chk_client_shortcut_package", nullptr, &Controls::chkClientShortcutPackage},
        {L"chk_client_shortcut_call_master", nullptr, &Controls::chkClientShortcutCallMaster},
        {L"edit_server_ip_allnew", nullptr, &Controls::editServerIpAllnew},
        {L"edit_install_path_allnew", nullptr, &Controls::editInstallPathAllnew},
        {L"btn_select_path_allnew", nullptr, &Controls::btnSelectPathAllnew},
        {L"edit_net_bar_id_allnew", nullptr, &Controls::editNetBarIdAllnew},
        {L"edit_net_bar_pwd_allnew", nullptr, &Controls::editNetBarPwdAllnew},
        {L"btn_start_install_allnew", nullptr, &Controls::btnStartInstallAllnew},
        {L"chk_accept_agreement_allnew", nullptr, &Controls::chkAcceptAgreementAllnew},
        {L"edit_server_ip_migrate", nullptr, &Controls::editServerIpMigrate},
        {L"edit_intall_path_migrate", nullptr, &Controls::editIntallPathMigrate},
        {L"btn_select_intall_path_migrate", nullptr, &Controls::btnSelectIntallPathMigrate},
        {L"edit_verify_code_migrate", nullptr, &Controls::editVerifyCodeMigrate},
        {L"btn_start_migrate", nullptr, &Controls::btnStartMigrate},
        {L"chk_accept_agreement_migrate", nullptr, &Controls::chkAcceptAgreementMigrate},
    };
    static const wchar_t* const kIconNames[4] = {L"win_icon_function1", L"win_icon_function2",
                                                 L"win_icon_function3", L"win_icon_function4"};
    static const wchar_t* const kFunctionNames[4] = {L"lb_function_name1", L"lb_function_name2",
                                                     L"lb_function_name3", L"lb_function_name4"};
    static const Lookup kLaterLookups[] = {
        {L"lb_install_info", nullptr, &Controls::lbInstallInfo},
        {L"progress_installing", nullptr, &Controls::progressInstalling},
        {L"lb_progress_value", nullptr, &Controls::lbProgressValue},
        {L"lb_download_speed", nullptr, &Controls::lbDownloadSpeed},
        {L"btn_setup_finish", nullptr, &Controls::btnSetupFinish},
        {L"lb_message", nullptr, &Controls::lbMessage},
        {L"btn_msgdlg_sysclose", nullptr, &Controls::btnMsgdlgSysclose},
        {L"btn_msgdlg_yes", nullptr, &Controls::btnMsgdlgYes},
        {L"btn_quit_dlg_sysclose", nullptr, &Controls::btnQuitDlgSysclose},
        {L"quitdlg_btn_yes", nullptr, &Controls::quitdlgBtnYes},
        {L"quitdlg_btn_no", nullptr, &Controls::quitdlgBtnNo},
    };

    auto find = [this](const Lookup& lookup) {
        controls.*lookup.field = lookup.className ? FindChildByName2(lookup.className, lookup.name, -1)
                                                  : FindChildByName(lookup.name, -1);
    };
    for (const Lookup& lookup : kLookups) find(lookup);
    for (int slot = 0; slot < 4; ++slot) {
        controls.winIconFunction[slot] = FindChildByName(kIconNames[slot], -1);
        controls.lbFunctionName[slot] = FindChildByName(kFunctionNames[slot], -1);
    }
    for (const Lookup& lookup : kLaterLookups) find(lookup);
}

void CMainDlg::ForgetControls() {
    controls = Controls{};
}

bool CMainDlg::WaitForWorkerIdle(const std::atomic<bool>& flag) {
    // A flag still set at the tenth test counts as a worker that did not finish, even if it drops
    // during the last sleep.
    for (int sleeps = 0; sleeps < kIdleWaitSleeps; ++sleeps) {
        if (!flag.load()) return true;
        Clock::Sleep(kIdleWaitSleepMs);
    }
    return false;
}

void CMainDlg::ShowPage(SWindow* page) {
    if (!page) return;
    page->Show(true, true);
    Log(L"Show page: " + page->GetName());
}

void CMainDlg::ShowControl(SWindow* control, bool show, bool redraw) {
    if (control) control->Show(show, redraw);
}

void CMainDlg::EnableControl(SWindow* control, bool enable) {
    if (control) control->Enable(enable, true);
}

void CMainDlg::SetControlText(SWindow* control, const std::wstring& text) {
    if (control) control->SetText(text);
}

bool CMainDlg::IsControlShown(const SWindow* control) {
    return control && control->IsShown(false);
}
