// What the host, loop and control tests share: an application on the headless host with every
// built-in class (and the animated picture with its skin) registered, a temporary folder for the layouts and
// pictures a test writes, and a host window that records what reaches its owner.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dui/include/core/SApplication.h"
#include "dui/include/core/SHostWnd.h"
#include "dui/src/host/headless/HeadlessDriver.h"
#include "tests/testing/TempDir.h"

class HostTestEnv {
public:
    HostTestEnv();
    ~HostTestEnv();

    HostHeadless& Host() { return *host; }
    SApplication& App() { return *app; }
    IRenderFactory& Factory() { return *factory; }

    // Writes `xml` as a layout file and returns its id for SHostWnd ("file:<path>").
    std::wstring Layout(const std::string& xml);
    // Writes a `width` x `height` PNG coloured pixel by pixel by `paint` and returns its resource
    // id ("file:<path>") for a skin's "src".
    std::string Picture(const std::string& name, int width, int height,
                        const std::function<COLORREF(int x, int y)>& paint);

    larkholm::testing::TempDir dir;

private:
    std::unique_ptr<IRenderFactory> factory;
    HostHeadless* host;  // owned by the application
    std::unique_ptr<SApplication> app;
};

// A host window that keeps what reaches its owner: every event that bubbles out of the tree as
// "event_name@sender_name", and every application message (WM_USER and above) and WM_TIMER.
class RecordingHost : public SHostWnd {
public:
    using SHostWnd::SHostWnd;

    std::vector<std::wstring> events;
    std::vector<MSG> messages;
    // Called first for every message; set `handled` to keep it from SHostWnd.
    std::function<LRESULT(UINT, WPARAM, LPARAM, bool& handled)> onMessage;
    // Number of command events raised by `name`.
    int Commands(const std::wstring& name) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool HandleEvent(EventArgs& evt) override;
};
