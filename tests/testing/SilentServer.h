// A listener on 127.0.0.1 with an ephemeral port that accepts every connection and closes it at
// once without sending a byte: the server that goes away between connecting and answering. Runs
// its own thread until destroyed.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace larkholm::testing {

class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    // "http://127.0.0.1:<port>" + path
    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port) + path;
    }
    int Connections() const { return connections.load(); }

private:
    std::intptr_t listener = -1;  // a socket descriptor or handle
    int port = 0;
    std::atomic<int> connections{0};
    std::thread acceptThread;
};

}  // namespace larkholm::testing
