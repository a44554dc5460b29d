// WizardApplication: the wizard's start-up and shutdown around the framework's message loop.
//
// Start brings the process up in a fixed order: the executable's folder becomes the current
// folder; the drawing back end and picture decoder are made; the framework's application object
// is created; the system package is loaded; the animated picture and its skin are registered;
// the wizard's package is registered with its name-id table and UI definition "uidef:xml_init",
// whose string table then also resolves the workers' texts (support/StringResolver.h);
// the main window is created from its layout (size 0 × 0, so the layout's 666 × 474 applies),
// initialised, centred on the work area and shown. No step checks its result: whatever did not
// load is logged by the framework and the wizard runs with the rest. Start returns false only when
// no window could be made (no display).
//
// Run drives the message loop until the wizard quits and returns the quit code (the exit code of
// app/ExitCode.h; 0 for an operator's install). The destructor
// tears everything down in reverse order. UI thread only; one object per process.
#pragma once

#include <memory>

#include "app/CMainDlg.h"
#include "app/ComponentManager.h"
#include "dui/include/core/IHost.h"
#include "dui/include/core/SApplication.h"
#include "dui/include/core/SResProvider.h"

class WizardApplication {
public:
    // `host` null: the platform's own windows (Win32, or X11 on $DISPLAY); a headless host keeps the
    // window off every screen (tests, /VERYSILENT). `run` says how the main window goes through it.
    explicit WizardApplication(std::unique_ptr<IHost> host = nullptr, WizardRun run = {});
    ~WizardApplication();
    WizardApplication(const WizardApplication&) = delete;
    WizardApplication& operator=(const WizardApplication&) = delete;

    bool Start();
    int Run();

    CMainDlg* MainWindow() { return mainWindow.get(); }

private:
    std::unique_ptr<IHost> host;
    WizardRun run;
    std::unique_ptr<ComponentManager> componentManager;
    std::shared_ptr<IImgDecoderFactory> imageDecoder;
    std::unique_ptr<IRenderFactory> renderFactory;
    std::unique_ptr<SApplication> application;
    SAutoRefPtr<IResProvider> resources;
    std::unique_ptr<CMainDlg> mainWindow;
};
