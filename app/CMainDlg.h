// CMainDlg: the wizard's one window, built from "LAYOUT:XML_MAINWND". Every page is a child of the
// layout's root; the window moves through them by hiding and showing, never by making windows.
// It owns the three workers (package installation, component downloads, component setups), keeps
// a reference to every control it uses, routes window messages, timers and control commands to
// its handlers, and shows the two overlays (message and quit question).
//
// Page sequence (overlays may cover any state):
//
//   state                page shown                   left by
//   Checking components  win_check_componet           all present / setups succeed (timer 102),
//                                                     a download or setup failure
//   Component failure    win_check_componet_error     nothing: the operator closes the wizard
//   Choosing form        win_install_type (if any)    btn_select_install_type
//   Editing              win_install_allnew/migration start with valid entries
//   Requesting           same form, start disabled    UM_DOWNLOAD_STARTED, or UM_INSTALL_FINISHED
//   Installing           win_install_progress         UM_EXTRACT_DONE (a failure stays here)
//   Finished             win_install_finish           btn_setup_finish or close: quit
//
// A control the layout lacks is never an error: its reference stays null and every step that
// uses it is skipped. Everything here runs on the UI thread; workers reach the window only by
// posting the messages of support/WizardMessages.h to GetHwnd().
//
// An unattended run (app/WizardRun.h) goes through the same pages: once the form is shown it is
// filled from the run's values and started as if the start button had been pressed, and where
// the operator would be asked or told something, the run ends with its exit code (app/ExitCode.h)
// instead. Quitting ends the message loop with that code (an operator's run with 0).
//
// The class is one class split over files by concern: CMainDlg.cpp (dispatch, control lookup),
// CMainDlgPages.cpp, CMainDlgForms.cpp, CMainDlgNotifications.cpp, CMainDlgOverlays.cpp,
// CMainDlgComponents.cpp and CMainDlgUnattended.cpp.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/DownloadMeter.h"
#include "app/WizardRun.h"
#include "components/InstallComponentThread.h"
#include "components/SetupComponentThread.h"
#include "download/DownLoadThread.h"
#include "dui/include/core/SHostWnd.h"

class CMainDlg : public SHostWnd {
public:
    static constexpr UINT_PTR kRotateIconsTimer = 100;      // 3000 ms, repeating, progress page
    static constexpr UINT_PTR kCheckComponentsTimer = 101;  // 500 ms, one-shot
    static constexpr UINT_PTR kShowInstallFormTimer = 102;  // 500 ms, one-shot
    static constexpr UINT kRotateIconsMs = 3000;
    static constexpr UINT kCheckComponentsMs = 500;
    static constexpr UINT kShowInstallFormMs = 500;

    explicit CMainDlg(WizardRun run = {});
    ~CMainDlg() override;

    // What the window handed to or read from its workers; for diagnostics and tests.
    const DownLoadThread& Downloader() const { return downloader; }
    const std::wstring& InstallPath() const { return installPath; }
    std::int32_t FunctionGroup() const { return functionGroup; }

    // Overall download and extraction progress of the current run, 0..100 (a download value may
    // exceed 100 when a server sent more than it announced).
    int DownloadPercent() const;
    double DownloadProgress() const;  // the same, not truncated
    int ExtractionPercent() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool HandleEvent(EventArgs& evt) override;

private:
    // References to the layout's controls, in look-up order; null when the layout lacks one.
    struct Controls {
        SWindow* lbWindowsTitle = nullptr;
        SWindow* winCheckComponet = nullptr;
        SWindow* winCheckComponetError = nullptr;
        SWindow* winInstallType = nullptr;
        SWindow* winInstallAllnew = nullptr;
        SWindow* winInstallMigration = nullptr;
        SWindow* winInstallProgress = nullptr;
        SWindow* winInstallFinish = nullptr;
        SWindow* winInstallMessage = nullptr;
        SWindow* winInstallQuit = nullptr;
        SWindow* lbCheckComponetStatus = nullptr;
        SWindow* chkWicComponet = nullptr;
        SWindow* lbWicProgress = nullptr;
        SWindow* chkDotnetframework4Componet = nullptr;
        SWindow* lbDotnetframework4Progress = nullptr;
        SWindow* lbComponetInstallfailed = nullptr;
        SWindow* rbtnInstallAllNew = nullptr;
        SWindow* rbtnInstallMigrate = nullptr;
        SWindow* btnSelectInstallType = nullptr;
        SWindow* rbtnPubwinOl = nullptr;
        SWindow* rbtnPubwinWanxiangOl = nullptr;
        SWindow* rbtnClientStyleRight = nullptr;
        SWindow* rbtnClientStyleTop = nullptr;
        SWindow* chkClientShortcutOrder = nullptr;
        SWindow* chkClientShortcutRecharge = nullptr;
        SWindow* chkClientShortcutPackage = nullptr;
        SWindow* chkClientShortcutCallMaster = nullptr;
        SWindow* editServerIpAllnew = nullptr;
        SWindow* editInstallPathAllnew = nullptr;
        SWindow* btnSelectPathAllnew = nullptr;
        SWindow* editNetBarIdAllnew = nullptr;
        SWindow* editNetBarPwdAllnew = nullptr;
        SWindow* btnStartInstallAllnew = nullptr;
        SWindow* chkAcceptAgreementAllnew = nullptr;
        SWindow* editServerIpMigrate = nullptr;
        SWindow* editIntallPathMigrate = nullptr;
        SWindow* btnSelectIntallPathMigrate = nullptr;
        SWindow* editVerifyCodeMigrate = nullptr;
        SWindow* btnStartMigrate = nullptr;
        SWindow* chkAcceptAgreementMigrate = nullptr;
        SWindow* winIconFunction[4] = {};
        SWindow* lbFunctionName[4] = {};
        SWindow* lbInstallInfo = nullptr;
        SWindow* progressInstalling = nullptr;
        SWindow* lbProgressValue = nullptr;
        SWindow* lbDownloadSpeed = nullptr;
        SWindow* btnSetupFinish = nullptr;
        SWindow* lbMessage = nullptr;
        SWindow* btnMsgdlgSysclose = nullptr;
        SWindow* btnMsgdlgYes = nullptr;
        SWindow* btnQuitDlgSysclose = nullptr;
        SWindow* quitdlgBtnYes = nullptr;
        SWindow* quitdlgBtnNo = nullptr;
    };

    // ---- dispatch and control look-up (CMainDlg.cpp) ----
    void InitDialog();
    void FindControls();
    void PointLinksAtConfiguredTargets();
    void ForgetControls();
    // True when `name` is in the command table (and was handled).
    bool OnCommand(const std::wstring& name);
    void OnTimer(UINT_PTR id);
    // Waits (blocking, at most ten 100 ms sleeps) for `flag` to drop; true when it did.
    static bool WaitForWorkerIdle(const std::atomic<bool>& flag);

    // ---- pages (CMainDlgPages.cpp) ----
    void ShowProgressPage();
    void ShowFinishPage();
    // Back from the progress page to the form the run was started from.
    void ReturnToForm();
    void ResetProgressPage();
    void RotateFunctionIcons();
    void SetRotationTimer(bool on);
    bool HasFunctionSlots() const;
    void ShowFunctionGroup(int group);

    // ---- forms (CMainDlgForms.cpp) ----
    void PrepareSetupForm();
    void PrepareMigrationForm();
    bool ValidateSetupForm();
    bool ValidateMigrationForm();
    // Rule 1 of both forms: the folder text (trimmed on the all-new form) into `installPath`.
    bool ValidateInstallFolder(SWindow* edit, bool trim);
    // A rule on a text field: empty shows `messageKey`; otherwise the text is stored, as narrow
    // text and untrimmed, in `value`. Passes when the form lacks the field.
    bool RequireText(SWindow* edit, const wchar_t* messageKey, std::string& value);
    bool RequireAgreement(SWindow* check);
    void OnSelectInstallType();
    void OnSelectFolder(SWindow* edit);
    // False when the form refused its values (its message is shown).
    bool OnStartInstall(std::int32_t kind);

    // ---- installation run messages (CMainDlgNotifications.cpp) ----
    void OnDownloadStarted();
    void OnDownloadProgress();
    void OnDownloadDone();
    void OnExtractProgress();
    void OnExtractDone();
    void OnInstallFinished();
    // Asks a log-off or restart to wait, giving `reason`, while the package is being unpacked;
    // an empty reason lets it go on.
    void HoldSessionEnd(const std::wstring& reason);
    void ShowProgressValue(int percent);
    void ShowDownloadSpeed(const std::wstring& text);
    // The message overlay for a failed run: `text`, then the log file that tells more.
    void ShowFailure(const std::wstring& text);

    // ---- overlays, close and quit (CMainDlgOverlays.cpp) ----
    void ShowMessage(bool show, const std::wstring& text);
    void ShowQuitConfirm(bool show);
    void OnCloseRequest();
    void QuitApplication(int exitCode = 0);
    void Minimise();

    // ---- component check page (CMainDlgComponents.cpp) ----
    void StartComponentCheck();
    void CheckComponents();
    void ShowInstallForm();
    void QueueMissingComponent(SWindow* check, SWindow* label, std::int32_t id, const wchar_t* logText);
    void ShowComponentFailure(const wchar_t* reasonKey);
    void RemoveFreshDownloadFolder();
    SWindow* ComponentLabel(WPARAM id) const;
    void OnComponentDownloadStarted(WPARAM id);
    void OnComponentDownloadProgress(WPARAM id, LPARAM percent);
    void OnComponentDownloadEnded(WPARAM id);
    void OnComponentSetupStarted(WPARAM id);
    void OnComponentSetupEnded();

    // ---- unattended runs (CMainDlgUnattended.cpp) ----
    // Puts the run's values on the shown form and starts it; a refused value ends the run.
    void StartUnattendedInstall();
    // The exit code of the installation run that just finished.
    int InstallOutcome() const;
    void EndUnattendedRun(int exitCode);

    // ---- registration and uninstall (CMainDlgUninstall.cpp) ----
    // Writes the entry in "Programs and Features" for the run that just unpacked its package.
    void RegisterFinishedRun();
    // The uninstall's one question, in the quit overlay; an unattended uninstall goes on at once.
    void StartUninstall();
    void RunUninstall();
    // Ends an uninstall: at once when unattended, else once its message (if any) is closed.
    void EndUninstall(int exitCode, const std::wstring& message);

    // Null-tolerant control operations: every one does nothing for a null reference.
    // ShowPage shows a page or overlay (with redraw) and logs "Show page: <name>", by which a run
    // can be followed from the log.
    static void ShowPage(SWindow* page);
    static void ShowControl(SWindow* control, bool show, bool redraw = true);
    static void EnableControl(SWindow* control, bool enable);
    static void SetControlText(SWindow* control, const std::wstring& text);
    static bool IsControlShown(const SWindow* control);

    WizardRun run;
    bool packageInstalled = false;  // the finish page was reached
    bool registrationFailed = false;
    std::wstring createdFolder;              // HighestMissingFolder of the run's install folder
    std::optional<int> exitOnMessageClosed;  // an uninstall that ended with a message
    DownLoadThread downloader;
    std::wstring installPath;
    std::int32_t functionGroup = 0;
    InstallComponentThread componentDownloader;
    SetupComponentThread componentSetup;
    std::wstring freshDownloadFolder;  // made beside the usual one for this run; empty when none was
    Controls controls;
    DownloadMeter downloadMeter;
};
