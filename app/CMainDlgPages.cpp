// CMainDlg: the progress and finish pages, and the feature icons that rotate on the progress page.
#include "app/CMainDlg.h"
#include "dui/include/core/SAppContext.h"
#include "dui/src/control/SImageWnd.h"
#include "dui/src/control/SProgress.h"
#include "support/WideFormat.h"

namespace {

struct FunctionSlot {
    const wchar_t* skin;
    const wchar_t* nameKey;
};

// Three groups of four features, shown in turn while the package installs.
constexpr FunctionSlot kFunctionGroups[3][4] = {
    {{L"skin_function_recharge", L"@string/msg_info_function_recharge"},
     {L"skin_function_bar", L"@string/msg_info_function_bar"},
     {L"skin_function_intelligent_marketing", L"@string/msg_info_function_intelligent_marketing"},
     {L"skin_function_work_shift", L"@string/msg_info_function_work_shift"}},
    {{L"skin_function_wechat", L"@string/msg_info_function_wechat"},
     {L"skin_function_data_analysis", L"@string/msg_info_function_data_analysis"},
     {L"skin_function_finance", L"@string/msg_info_function_finance"},
     {L"skin_function_invoicing", L"@string/msg_info_function_invoicing"}},
    {{L"skin_function_sound_service", L"@string/msg_info_function_sound_service"},
     {L"skin_function_music_service", L"@string/msg_info_function_music_service"},
     {L"skin_function_call_service", L"@string/msg_info_function_call_service"},
     {L"skin_function_game_service", L"@string/msg_info_function_game_service"}},
};
constexpr int kLastFunctionGroup = 2;

}  // namespace

void CMainDlg::ShowProgressPage() {
    ShowControl(controls.winInstallAllnew, false, false);
    ShowControl(controls.winInstallMigration, false, false);
    ShowPage(controls.winInstallProgress);
    ResetProgressPage();
    SetRotationTimer(true);
}

void CMainDlg::ReturnToForm() {
    ShowControl(controls.winInstallProgress, false, false);
    SetRotationTimer(false);
    ShowPage(downloader.kind == kInstallKindMigration ? controls.winInstallMigration
                                                      : controls.winInstallAllnew);
}

void CMainDlg::ShowFinishPage() {
    ShowControl(controls.winInstallProgress, false, false);
    SetRotationTimer(false);
    ShowPage(controls.winInstallFinish);
}

// The page is reset only as a whole: a layout without the feature slots keeps its own bar value
// and percentage text until the first progress message.
bool CMainDlg::HasFunctionSlots() const {
    for (int slot = 0; slot < 4; ++slot) {
        if (!controls.winIconFunction[slot] || !controls.lbFunctionName[slot]) return false;
    }
    return controls.progressInstalling && controls.lbProgressValue;
}

void CMainDlg::ResetProgressPage() {
    if (!HasFunctionSlots()) return;
    ShowFunctionGroup(0);
    ShowProgressValue(0);
    functionGroup = 0;
}

void CMainDlg::RotateFunctionIcons() {
    if (!HasFunctionSlots()) return;
    if (++functionGroup > kLastFunctionGroup) functionGroup = 0;
    ShowFunctionGroup(functionGroup);
}

void CMainDlg::ShowFunctionGroup(int group) {
    SAppContext* context = SAppContext::Current();
    for (int slot = 0; slot < 4; ++slot) {
        const FunctionSlot& entry = kFunctionGroups[group][slot];
        if (auto* image = dynamic_cast<SImageWnd*>(controls.winIconFunction[slot]); image && context) {
            image->SetSkin(context->GetSkinPoolMgr().FindSkin(entry.skin, image->GetScale()), 0);
        }
        SetControlText(controls.lbFunctionName[slot], entry.nameKey);
    }
}

void CMainDlg::SetRotationTimer(bool on) {
    if (on) {
        SetTimer(kRotateIconsTimer, kRotateIconsMs);
    } else {
        KillTimer(kRotateIconsTimer);
    }
}

void CMainDlg::ShowProgressValue(int percent) {
    if (auto* bar = dynamic_cast<SProgress*>(controls.progressInstalling)) bar->SetValue(percent);
    SetControlText(controls.lbProgressValue, WideFormat(L"%d%%", percent));
}

void CMainDlg::ShowDownloadSpeed(const std::wstring& text) {
    SetControlText(controls.lbDownloadSpeed, text);
}
