// A private X server for tests: starts Xvfb on a free display number (Xvfb picks it and reports
// it through -displayfd), and stops it when the object goes away. Also runs the X command-line
// tools (xdotool, import) against that display.
#pragma once

#include <string>

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // False when Xvfb cannot be started or does not report ready within a few seconds.
    bool Start(int width, int height);
    // ":N"
    const std::string& Display() const { return display_; }
    // Runs `command` with DISPLAY set to this server; its standard output, and whether it exited 0.
    bool Run(const std::string& command, std::string* output = nullptr) const;

private:
    int pid_ = -1;
    std::string display_;
};
