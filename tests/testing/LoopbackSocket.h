// Plain TCP sockets on 127.0.0.1 for the Linux test servers, the CONNECT proxy and tools/tls-front.
#pragma once

#include <cstddef>

namespace larkholm::testing {

// A listening socket on 127.0.0.1 at a port the system chooses (into `port`), closed on exec; -1
// when there is none.
int ListenOnLoopback(int& port);
// A socket connected to 127.0.0.1:`port`; -1 when the connection is refused.
int ConnectToLoopback(int port);
// Sends all `size` bytes; false when the connection fails first.
bool SendAll(int socket, const char* data, std::size_t size);

}  // namespace larkholm::testing
