// An https front of a test's plain HTTP server: tools/tls-front, started for the object's life,
// answers on 127.0.0.1 with one of the test certificates (TestCertificates) and relays every
// connection to the server, so the server's routes and faults work over TLS unchanged. A Linux
// program on both platforms (Wine starts Unix programs too): it is how the Windows tests, which
// have no TLS server of their own, meet a real one.
#pragma once

#include <string>

#include "tests/testing/TempDir.h"

namespace larkholm::testing {

class HttpsFront {
public:
    // Fails the test when the front does not start within the usual wait.
    HttpsFront(const std::string& certificate, int serverPort);
    // The front ends when its folder goes.
    ~HttpsFront() = default;
    HttpsFront(const HttpsFront&) = delete;
    HttpsFront& operator=(const HttpsFront&) = delete;

    int Port() const { return port; }
    // "https://127.0.0.1:<port>" + path
    std::string Url(const std::string& path) const;

private:
    TempDir folder;  // where the front writes its port; in the build folder, which both sides reach
    int port = 0;
};

}  // namespace larkholm::testing
