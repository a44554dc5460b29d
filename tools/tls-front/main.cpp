// tls-front CHAIN.pem KEY.pem BACKEND_PORT FOLDER SECONDS: an https front for the tests' plain HTTP
// servers. It listens on 127.0.0.1 at a port the system chooses, writes that port into FOLDER/port,
// and relays every connection, once its TLS handshake is done with CHAIN.pem's certificate, to
// 127.0.0.1:BACKEND_PORT, byte for byte both ways: whatever the backend does (answers, cuts a body
// short, stalls) the client sees over TLS. It ends when FOLDER/port is gone (the test removes the
// folder) or SECONDS have passed.
// A Linux program; the Windows tests start it from Wine, which runs Unix programs too.
// Exit codes: 0 stopped, 1 cannot serve, 2 bad arguments.
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/testing/LoopbackSocket.h"

using namespace larkholm::testing;

namespace {

constexpr int kStopPollMs = 50;

// One client: the handshake, then bytes both ways until either side closes.
void Relay(SSL_CTX* context, int client, int backendPort) {
    SSL* tls = SSL_new(context);
    SSL_set_fd(tls, client);
    const int backend = SSL_accept(tls) == 1 ? ConnectToLoopback(backendPort) : -1;
    char buffer[64 * 1024];
    for (bool open = backend >= 0; open;) {
        // Bytes OpenSSL already decrypted are read before waiting on the socket again.
        pollfd sockets[2] = {{client, POLLIN, 0}, {backend, POLLIN, 0}};
        if (SSL_pending(tls) == 0 && ::poll(sockets, 2, -1) < 0) break;
        if (SSL_pending(tls) > 0 || (sockets[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const int read = SSL_read(tls, buffer, sizeof buffer);
            open = read > 0 && SendAll(backend, buffer, std::size_t(read));
        }
        if (open && (sockets[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const ssize_t read = ::recv(backend, buffer, sizeof buffer, 0);
            open = read > 0 && SSL_write(tls, buffer, int(read)) == int(read);
            if (read == 0) SSL_shutdown(tls);  // the backend closed cleanly: so does the front
        }
    }
    if (backend >= 0) ::close(backend);
    SSL_free(tls);
    ::close(client);
}

bool WritePort(const std::filesystem::path& folder, int port) {
    const std::filesystem::path written = folder / "port.new";
    {
        std::ofstream out(written);
        out << port << '\n';
        if (!out) return false;
    }
    std::error_code error;
    std::filesystem::rename(written, folder / "port", error);  // whole, or not there at all
    return !error;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: tls-front CHAIN.pem KEY.pem BACKEND_PORT FOLDER SECONDS\n");
        return 2;
    }
    const int backendPort = std::atoi(argv[3]);
    const std::filesystem::path folder = argv[4];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[5]));

    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (context == nullptr || SSL_CTX_use_certificate_chain_file(context, argv[1]) != 1 ||
        SSL_CTX_use_PrivateKey_file(context, argv[2], SSL_FILETYPE_PEM) != 1) {
        ERR_print_errors_fp(stderr);
        return 1;
    }
    int port = 0;
    const int listener = ListenOnLoopback(port);
    if (listener < 0 || !WritePort(folder, port)) {
        std::perror("tls-front");
        return 1;
    }
    while (std::filesystem::exists(folder / "port") && std::chrono::steady_clock::now() < deadline) {
        pollfd waiting{listener, POLLIN, 0};
        if (::poll(&waiting, 1, kStopPollMs) <= 0) continue;
        const int client = ::accept(listener, nullptr, nullptr);
        if (client >= 0) std::thread(Relay, context, client, backendPort).detach();
    }
    return 0;  // relays still running end with the process
}
