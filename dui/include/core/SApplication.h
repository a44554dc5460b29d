// The application object: one per process, made at start-up before any window. It is the
// framework's context (resources, object factory, pools, fonts: SAppContext) plus the host — the
// platform's window system and event loop — and the main message loop. Run drives the loop until
// the quit message and then takes the main window down. UI thread only.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "dui/include/core/IHost.h"
#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SMessageLoop.h"
#include "dui/include/core/SObjectDefaultRegister.h"

class SHostWnd;

class SApplication : public SAppContext {
public:
    // Registers the built-in classes through `registerer`. `host` null means the platform's own
    // (Win32, or X11 on $DISPLAY); when that cannot be had, HasHost() is false, windows cannot be created
    // and Run returns -1.
    SApplication(IRenderFactory* renderFactory, std::wstring hostClassName,
                 const SObjectDefaultRegister& registerer, std::unique_ptr<IHost> host = nullptr);
    ~SApplication() override;

    // The live application; nullptr before one is made or after it is gone.
    static SApplication* Current();

    bool HasHost() const { return host_ != nullptr; }
    IHost& GetHost() { return *host_; }
    SMessageLoop& GetMsgLoop() { return *msgLoop_; }
    const std::wstring& GetHostClassName() const { return hostClassName_; }

    // Runs the main message loop and returns the quit message's code; afterwards destroys
    // `mainWnd` when it is still a window.
    int Run(HWND mainWnd);
    HWND GetMainWnd() const { return mainWnd_; }
    // Ends the loop with `exitCode` once the messages already waiting are handled.
    void PostQuitMessage(int exitCode);
    // Whether a key (VK_SHIFT, VK_CONTROL, ...) is down as of the message being handled.
    bool IsKeyDown(UINT vk) const { return host_ && host_->IsKeyDown(vk); }

    // Host windows announce themselves so Run can find the one to destroy.
    void AddHostWnd(HWND hwnd, SHostWnd* wnd) { hostWnds_[hwnd] = wnd; }
    void RemoveHostWnd(HWND hwnd) { hostWnds_.erase(hwnd); }
    SHostWnd* FindHostWnd(HWND hwnd) const;

private:
    std::wstring hostClassName_;
    std::unique_ptr<IHost> host_;
    std::unique_ptr<SMessageLoop> msgLoop_;
    std::map<HWND, SHostWnd*> hostWnds_;
    HWND mainWnd_ = nullptr;
    SApplication* previous_;
};
