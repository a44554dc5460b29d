#include "tests/dui/support/XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

XvfbServer::~XvfbServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

bool XvfbServer::Start(int width, int height) {
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    return Launch({"Xvfb", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, "");
}

bool XvfbServer::StartTwoMonitors(const XvfbServer& host, int width, int height) {
    const std::string screen = std::to_string(width) + "x" + std::to_string(height);
    return Launch(
        {"Xephyr", "+xinerama", "-screen", screen, "-screen", screen, "-nolisten", "tcp", "-noreset"},
        host.Display());
}

bool XvfbServer::Launch(std::vector<std::string> argv, const std::string& parentDisplay) {
    int ready[2];
    if (pipe(ready) != 0) return false;
    argv.insert(argv.begin() + 1, {"-displayfd", std::to_string(ready[1])});
    pid_ = fork();
    if (pid_ == 0) {
        close(ready[0]);
        if (!parentDisplay.empty()) setenv("DISPLAY", parentDisplay.c_str(), 1);
        std::vector<char*> args;
        for (std::string& arg : argv) args.push_back(arg.data());
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(ready[1]);
    if (pid_ < 0) {
        close(ready[0]);
        return false;
    }
    // The server writes the display number and a line feed once it accepts connections.
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 10000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number.push_back(c);
    close(ready[0]);
    if (number.empty()) return false;
    display_ = ":" + number;
    return true;
}

bool XvfbServer::Run(const std::string& command, std::string* output) const {
    FILE* pipe = popen(("DISPLAY=" + display_ + " " + command).c_str(), "r");
    if (pipe == nullptr) return false;
    char buffer[512];
    std::string text;
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
    if (output != nullptr) *output = text;
    const int status = pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
