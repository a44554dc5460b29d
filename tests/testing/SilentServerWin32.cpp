#include <winsock2.h>

#include <stdexcept>

#include "tests/testing/SilentServer.h"

namespace larkholm::testing {

SilentServer::SilentServer() {
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("SilentServer: no Winsock");
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    listener = static_cast<std::intptr_t>(socket);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (socket == INVALID_SOCKET ||
        ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket, 16) != 0 ||
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("SilentServer: no listener");
    port = ntohs(address.sin_port);
    acceptThread = std::thread([this, socket] {
        for (;;) {
            const SOCKET connection = ::accept(socket, nullptr, nullptr);
            if (connection == INVALID_SOCKET) return;  // shut down
            ++connections;
            ::closesocket(connection);
        }
    });
}

SilentServer::~SilentServer() {
    // Closing the listener is what wakes a blocked accept on Windows.
    ::closesocket(static_cast<SOCKET>(listener));
    acceptThread.join();
    ::WSACleanup();
}

}  // namespace larkholm::testing
