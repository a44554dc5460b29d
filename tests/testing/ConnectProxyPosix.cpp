#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/testing/ConnectProxy.h"
#include "tests/testing/LoopbackSocket.h"

namespace larkholm::testing {
namespace {

// How often the threads look at the stop request while they wait.
constexpr int kPollMs = 50;

bool SendText(int socket, const std::string& text) {
    return SendAll(socket, text.data(), text.size());
}

}  // namespace

ConnectProxy::ConnectProxy() {
    listener = ListenOnLoopback(port);
    if (listener < 0) throw std::runtime_error("ConnectProxy: cannot listen on 127.0.0.1");
    acceptor = std::thread(&ConnectProxy::Accept, this);
}

ConnectProxy::~ConnectProxy() {
    stopping = true;
    acceptor.join();
    for (std::thread& tunnel : tunnels) tunnel.join();
    ::close(listener);
}

std::string ConnectProxy::Url() const {
    return "http://127.0.0.1:" + std::to_string(port);
}

std::vector<std::string> ConnectProxy::Targets() const {
    std::lock_guard lock(mutex);
    return targets;
}

void ConnectProxy::Accept() {
    while (!stopping) {
        pollfd waiting{listener, POLLIN, 0};
        if (::poll(&waiting, 1, kPollMs) <= 0) continue;
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0) continue;
        std::lock_guard lock(mutex);
        tunnels.emplace_back(&ConnectProxy::Tunnel, this, client);
    }
}

void ConnectProxy::Tunnel(int client) {
    // The request head, up to its empty line; a client sends nothing else before the answer.
    std::string head;
    char buffer[64 * 1024];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 8192 && !stopping) {
        pollfd waiting{client, POLLIN, 0};
        if (::poll(&waiting, 1, kPollMs) <= 0) continue;
        const ssize_t read = ::recv(client, buffer, sizeof buffer, 0);
        if (read <= 0) break;
        head.append(buffer, std::size_t(read));
    }
    const std::string kConnect = "CONNECT ";
    const std::string kLoopback = "127.0.0.1:";
    int server = -1;
    if (head.starts_with(kConnect)) {
        const std::string target =
            head.substr(kConnect.size(), head.find(' ', kConnect.size()) - kConnect.size());
        {
            std::lock_guard lock(mutex);
            targets.push_back(target);
        }
        if (target.starts_with(kLoopback))
            server = ConnectToLoopback(std::atoi(target.c_str() + kLoopback.size()));
        SendText(client, server >= 0 ? "HTTP/1.1 200 Connection established\r\n\r\n"
                                     : "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n");
    } else {
        SendText(client, "HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    }
    for (bool open = server >= 0; open && !stopping;) {
        pollfd sockets[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        if (::poll(sockets, 2, kPollMs) <= 0) continue;
        for (int from = 0; from < 2 && open; ++from) {
            if ((sockets[from].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
            const ssize_t read = ::recv(sockets[from].fd, buffer, sizeof buffer, 0);
            open = read > 0 && SendAll(sockets[1 - from].fd, buffer, std::size_t(read));
        }
    }
    if (server >= 0) ::close(server);
    ::close(client);
}

}  // namespace larkholm::testing
