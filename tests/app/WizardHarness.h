// WizardHarness: one wizard on the headless host for a UI test, with everything it talks to made
// local: the machine (tests/app/WizardMachine.h; both components present unless a test says
// otherwise), a loopback HTTP server behind every endpoint (install service, component installers,
// agreement), a sped-up clock, and recording seams for the shell's "open" and the folder picker.
//
//     WizardHarness wizard;
//     wizard.Start();
//     wizard.WaitShown(L"win_install_allnew");
//     wizard.ui().Type(L"edit_net_bar_id_allnew", L"1001");
//
// Screenshots go to <build>/screenshots/<name>.png. Everything runs on the test's thread, which
// is the wizard's UI thread.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/WizardApplication.h"
#include "dui/src/host/headless/HeadlessDriver.h"
#include "dui/src/host/headless/HostHeadless.h"
#include "tests/app/WizardMachine.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/TestHttpServer.h"

class WizardHarness {
public:
    // Endpoint paths on the test server, as the product's configuration names them.
    static constexpr char kServicePath[] = "/admin";
    static constexpr char kWicPath[] = "/software/wic_x86_chs.exe";
    static constexpr char kDotNetPath[] = "/supplier/website/package/dotNetFx40_Full_x86_x64.exe";

    using Components = WizardMachine::Components;

    // `speedUp` is the clock's: by default as fast as a transfer's stall limit allows.
    explicit WizardHarness(Components components = Components::kPresent,
                           unsigned speedUp = larkholm::testing::kSpeedUpForTransfers);
    ~WizardHarness();

    // Creates, initialises, centres and shows the main window on a pretend screen of `screen`
    // pixels; fails the test when it cannot.
    void Start(SIZE screen = SIZE{1920, 1080});
    // Start for a run other than the operator's (an unattended install, an uninstall); after an
    // earlier run on this harness the next one finds the same machine.
    void StartRun(const WizardRun& run);
    // Start, then a second main window whose "LAYOUT:XML_MAINWND" comes from the package in
    // `folder` (an index and its files), registered over the wizard's own; the harness then
    // drives that window. For the parts of the code the shipped layout does not use.
    void StartWithLayout(const std::string& folder);

    larkholm::testing::TestHttpServer& server() { return httpServer; }
    HostHeadless& host() { return *headless; }
    HeadlessDriver& ui() { return *driver; }
    CMainDlg& window() { return alternate ? *alternate : *application->MainWindow(); }

    // The named window; fails the test (and returns a dummy-free nullptr) when the layout lacks it.
    SWindow* Find(const std::wstring& name);
    std::wstring Text(const std::wstring& name);
    bool Shown(const std::wstring& name);
    bool Checked(const std::wstring& name);
    // Runs the loop until the named window is shown; false after `timeoutMs`.
    bool WaitShown(const std::wstring& name, int timeoutMs = 10000);
    bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000);

    // Serves `body` on `path` in `pieces` parts with a pause after each, so that a download of it
    // is seen in progress.
    void ServeSlowly(const std::string& path, std::string body, int pieces);

    // Clicks `button` and returns the text of the message overlay it brought up (empty when none
    // is shown); the overlay stays up. CloseMessage confirms it.
    std::wstring Submit(const std::wstring& button);
    void CloseMessage();

    // Runs the loop until the wizard quits; the quit code, or nothing when it did not quit.
    std::optional<int> WaitForQuit(int timeoutMs = 10000);

    // Sets an edit's text as if the operator had replaced it.
    void SetEdit(const std::wstring& name, const std::wstring& text);

    // Saves the current frame as <build>/screenshots/<name>.png; returns the path.
    std::string Screenshot(const std::string& name);

    // Targets the wizard asked the shell to open, in order.
    std::vector<std::wstring> OpenedTargets();
    // What the folder picker answers next (empty: cancelled).
    void AnswerFolderPicker(const std::wstring& folder);

private:
    // Pauses of the product (retry waits, the 500 ms timers, the bounded waits) run faster.
    larkholm::testing::FastClock fastClock;
    WizardMachine machine;
    larkholm::testing::TestHttpServer httpServer;
    HostHeadless* headless = nullptr;  // owned by the application
    WizardRun run;
    std::unique_ptr<WizardApplication> application;
    std::unique_ptr<CMainDlg> alternate;
    std::unique_ptr<HeadlessDriver> driver;

    std::mutex openedMutex;
    std::vector<std::wstring> opened;
    std::wstring folderAnswer;
};
