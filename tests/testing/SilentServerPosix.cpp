#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/testing/SilentServer.h"

namespace larkholm::testing {

SilentServer::SilentServer() {
    listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 16) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("SilentServer: no listener");
    port = ntohs(address.sin_port);
    acceptThread = std::thread([this] {
        for (;;) {
            const int connection = ::accept(listener, nullptr, nullptr);
            if (connection < 0) return;  // shut down
            ++connections;
            ::close(connection);
        }
    });
}

SilentServer::~SilentServer() {
    // Shutting the listener down wakes the blocked accept.
    ::shutdown(listener, SHUT_RDWR);
    acceptThread.join();
    ::close(listener);
}

}  // namespace larkholm::testing
