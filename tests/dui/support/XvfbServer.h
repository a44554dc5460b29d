// A private X server for tests: starts Xvfb on a free display number (the server picks it and
// reports it through -displayfd), and stops it when the object goes away. Also runs the X
// command-line tools (xdotool, import) against that display. StartTwoMonitors makes a desktop
// of two monitors side by side: Xephyr with Xinerama, shown on another server of this kind.
#pragma once

#include <string>
#include <vector>

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // False when Xvfb cannot be started or does not report ready within a few seconds.
    bool Start(int width, int height);
    // Two `width` x `height` monitors, the second right of the first, on `host`'s display.
    bool StartTwoMonitors(const XvfbServer& host, int width, int height);
    // ":N"
    const std::string& Display() const { return display_; }
    // Runs `command` with DISPLAY set to this server; its standard output, and whether it exited 0.
    bool Run(const std::string& command, std::string* output = nullptr) const;

private:
    // Starts `argv` (to which "-displayfd FD" is added) with DISPLAY set to `parentDisplay` when
    // not empty, and waits for the display number.
    bool Launch(std::vector<std::string> argv, const std::string& parentDisplay);

    int pid_ = -1;
    std::string display_;
};
