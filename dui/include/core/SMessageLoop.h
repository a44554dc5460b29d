// The UI thread's message loop over a host (IHost): takes messages in turn, offers each to the
// message filters (newest first; the first that takes it consumes it), dispatches the rest to
// their windows, and runs the idle handlers whenever the queue has run dry after real work.
// Run returns the exit code of the WM_QUIT that ends it, or of Quit. UI thread only.
#pragma once

#include <vector>

#include "dui/include/core/IHost.h"

class IMessageFilter {
public:
    // True when the message is consumed and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& msg) = 0;

protected:
    ~IMessageFilter() = default;
};

class IIdleHandler {
public:
    // `idleCount` counts the calls since the last real message; true asks for another call.
    virtual bool OnIdle(int idleCount) = 0;

protected:
    ~IIdleHandler() = default;
};

class SMessageLoop {
public:
    explicit SMessageLoop(IHost& host) : host_(host) {}

    int Run();
    // Ends Run after the message being handled (or the idle pass) with `exitCode`.
    void Quit(int exitCode = 0);
    bool IsRunning() const { return running_; }

    void AddMessageFilter(IMessageFilter* filter) { filters_.push_back(filter); }
    bool RemoveMessageFilter(IMessageFilter* filter);
    void AddIdleHandler(IIdleHandler* handler) { idleHandlers_.push_back(handler); }
    bool RemoveIdleHandler(IIdleHandler* handler);

private:
    bool PreTranslate(MSG& msg);
    // True when some handler wants more idle calls.
    bool RunIdleHandlers(int idleCount);
    int Exit(int exitCode);

    IHost& host_;
    MSG msg_{};
    bool quit_ = false;
    int quitCode_ = 0;
    bool running_ = false;
    std::vector<IMessageFilter*> filters_;
    std::vector<IIdleHandler*> idleHandlers_;
};
