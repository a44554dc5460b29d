#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "tests/testing/LoopbackSocket.h"
#include "tests/testing/SilentServer.h"

namespace larkholm::testing {

SilentServer::SilentServer() {
    listener = ListenOnLoopback(port);
    if (listener < 0) throw std::runtime_error("SilentServer: no listener");
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
