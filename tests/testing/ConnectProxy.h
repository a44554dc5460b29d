// A proxy on 127.0.0.1 with an ephemeral port that tunnels with CONNECT, as an https client goes
// through an http proxy: it answers "200 Connection established" and then relays bytes both ways
// to the named host, which must be 127.0.0.1. Every CONNECT target is recorded; other methods get
// 405. Runs on its own thread for one test (Linux: the Windows tests reach proxies through the
// system's settings, tests/testing/UserProxyConfig.h).
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace larkholm::testing {

class ConnectProxy {
public:
    ConnectProxy();
    ~ConnectProxy();
    ConnectProxy(const ConnectProxy&) = delete;
    ConnectProxy& operator=(const ConnectProxy&) = delete;

    // "http://127.0.0.1:<port>", as a proxy variable names it.
    std::string Url() const;
    // The "host:port" of every CONNECT so far.
    std::vector<std::string> Targets() const;

private:
    void Accept();
    void Tunnel(int client);

    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    mutable std::mutex mutex;
    std::vector<std::string> targets;
    std::vector<std::thread> tunnels;
    std::thread acceptor;
};

}  // namespace larkholm::testing
