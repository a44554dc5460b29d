// CMainDlg: the install-type choice, the all-new and migration forms, their validation and the
// start of an installation run.
#include "app/CMainDlg.h"
#include "app/InstallationRecord.h"
#include "dui/include/core/SUiDef.h"
#include "install/InstallFolders.h"
#include "support/Config.h"
#include "support/IPv4.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/FolderPicker.h"
#include "support/platform/WindowsView.h"

namespace {

// Only the space character is trimmed; tabs and other white space stay part of the text.
std::wstring TrimSpaces(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

void CMainDlg::PrepareSetupForm() {
    if (controls.chkAcceptAgreementAllnew) controls.chkAcceptAgreementAllnew->SetCheck(true);
    SetControlText(controls.editInstallPathAllnew, ProgramFilesFolder());
}

void CMainDlg::PrepareMigrationForm() {
    if (controls.chkAcceptAgreementMigrate) controls.chkAcceptAgreementMigrate->SetCheck(true);
    SetControlText(controls.editIntallPathMigrate, ProgramFilesFolder());
}

void CMainDlg::OnSelectInstallType() {
    if (!controls.rbtnInstallAllNew || !controls.rbtnInstallMigrate) return;
    ShowControl(controls.winInstallType, false, false);
    if (controls.rbtnInstallAllNew->IsChecked() && controls.winInstallAllnew) {
        PrepareSetupForm();
        ShowPage(controls.winInstallAllnew);
    }
    if (controls.rbtnInstallMigrate->IsChecked() && controls.winInstallMigration) {
        PrepareMigrationForm();
        ShowPage(controls.winInstallMigration);
    }
}

void CMainDlg::OnSelectFolder(SWindow* edit) {
    if (!edit || !GetHostWindow()) return;
    // The wizard keeps painting behind the picker and ignores the operator until it closes.
    FolderPickerOwner owner{GetHostWindow()->GetNativeHandle(), [this](int pickerProcess) {
                                if (IHostWindow* window = GetHostWindow())
                                    window->AdoptWindowsOf(pickerProcess);
                                PumpWithoutInput();
                            }};
    const std::wstring folder = BrowseForFolder(owner);
    // A folder is a path, never a reference to one of our texts.
    if (!folder.empty() && IsWindow()) edit->SetTextLiteral(folder);
}

bool CMainDlg::ValidateInstallFolder(SWindow* edit, bool trim) {
    if (!edit) return true;
    std::wstring folder = trim ? TrimSpaces(edit->GetText()) : edit->GetText();
    if (folder.empty() || IsRootPath(folder)) {
        ShowMessage(true, ResolveString(L"@string/msg_error_root_path"));
        return false;
    }
    StripTrailingSeparator(folder);
    installPath = JoinPath(folder, kProductFolderName);
    return true;
}

bool CMainDlg::RequireText(SWindow* edit, const wchar_t* messageKey, std::string& value) {
    if (!edit) return true;
    const std::wstring text = edit->GetText();
    if (text.empty()) {
        ShowMessage(true, ResolveString(messageKey));
        return false;
    }
    value = WideToAnsi(text);
    return true;
}

bool CMainDlg::RequireAgreement(SWindow* check) {
    if (!check || check->IsChecked()) return true;
    ShowMessage(true, ResolveString(L"@string/msg_error_agreement"));
    return false;
}

bool CMainDlg::ValidateSetupForm() {
    return ValidateInstallFolder(controls.editInstallPathAllnew, true) &&
           RequireText(controls.editNetBarIdAllnew, L"@string/msg_error_netbar_id", downloader.shopCode) &&
           RequireText(controls.editNetBarPwdAllnew, L"@string/msg_error_netbar_nopassword",
                       downloader.password) &&
           RequireAgreement(controls.chkAcceptAgreementAllnew);
}

bool CMainDlg::ValidateMigrationForm() {
    if (controls.editServerIpMigrate) {
        const std::wstring ip = controls.editServerIpMigrate->GetText();
        if (ip.empty() || !IsValidIPv4(ip)) {
            ShowMessage(true, ResolveString(L"@string/msg_error_ip_error"));
            return false;
        }
        downloader.innerIp = WideToAnsi(ip);
    }
    return ValidateInstallFolder(controls.editIntallPathMigrate, false) &&
           RequireText(controls.editVerifyCodeMigrate, L"@string/msg_error_sms_code", downloader.validCode) &&
           RequireAgreement(controls.chkAcceptAgreementMigrate);
}

bool CMainDlg::OnStartInstall(std::int32_t kind) {
    const bool setup = kind == kInstallKindSetup;
    if (!(setup ? ValidateSetupForm() : ValidateMigrationForm())) return false;
    downloader.installDir = installPath;
    createdFolder = HighestMissingFolder(NativePath(installPath));
    downloader.kind = kind;
    downloader.notifyWindow = GetHwnd();
    downloader.Launch();
    // Enabled again when the run ends (UM_INSTALL_FINISHED), so one press starts one run.
    EnableControl(setup ? controls.btnStartInstallAllnew : controls.btnStartMigrate, false);
    return true;
}
