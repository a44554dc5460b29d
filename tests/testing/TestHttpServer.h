// An HTTP server on 127.0.0.1 with an ephemeral port, running on its own thread for one test.
// Routes serve bytes, files or JSON, optionally with a fault injected, and every request is
// recorded so a test can check what the client sent. Destruction releases stalled replies and
// stops the server.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace larkholm::testing {

enum class Fault {
    None,
    Status500,        // answers 500 with an HTML body
    Status404,        // answers 404 with an HTML body
    ResetMidBody,     // declares the full length, sends half, then drops the connection
    Stall,            // declares the full length, sends nothing, holds the connection until shutdown
    StallMidBody,     // sends half, then holds the connection until shutdown
    LongerLength,     // declares 100 bytes more than it sends, then closes
    NoContentLength,  // chunked reply without Content-Length (also on HEAD)
    HeadNotFound,     // HEAD answers 404 while GET works
    HeadNoLength,     // HEAD carries no Content-Length while GET has one
    HeadWrongLength,  // HEAD declares half the length while GET sends it all
    LongerBody,       // sends 100 bytes more than the Content-Length it declares
    ChunkedNoEnd,     // chunked reply whose last (empty) chunk never comes: the connection closes
};

struct RecordedRequest {
    std::string method;
    std::string path;
    std::string target;  // path with the raw query, as sent
    std::multimap<std::string, std::string> headers;
    std::string body;
};

class TestHttpServer {
public:
    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int Port() const { return port; }
    // "http://127.0.0.1:<port>" + path
    std::string Url(const std::string& path) const;

    // `faultyHits` limits the fault to the first N GET requests (0: every request).
    void ServeBytes(const std::string& path, std::string body, Fault fault = Fault::None,
                    const std::string& contentType = "application/octet-stream", int faultyHits = 0);
    void ServeJson(const std::string& path, std::string json);
    void ServeStatus(const std::string& path, int status, std::string body,
                     const std::string& contentType = "text/html");
    // Streams a file from disk in 64 KiB pieces, so large files cost no memory.
    void ServeFile(const std::string& path, const std::string& localPath, Fault fault = Fault::None);
    // Any other behaviour: the handler answers GET, HEAD and POST on `path`.
    void Handle(const std::string& path, httplib::Server::Handler handler);

    // GET requests seen on `path` (HEAD not counted).
    int GetCount(const std::string& path) const;
    std::vector<RecordedRequest> Requests() const;

private:
    struct Route {
        std::function<void(const httplib::Request&, httplib::Response&)> handler;
    };
    void Dispatch(const httplib::Request& request, httplib::Response& response);
    void AnswerWithFault(const httplib::Request& request, httplib::Response& response,
                         std::shared_ptr<const std::string> body, const std::string& contentType, Fault fault);
    bool WaitForShutdown();

    httplib::Server server;
    std::thread serverThread;
    int port = 0;

    mutable std::mutex mutex;
    std::condition_variable shutdownSignal;
    bool shuttingDown = false;
    std::map<std::string, httplib::Server::Handler> routes;
    std::map<std::string, int> getCounts;
    std::vector<RecordedRequest> requests;
};

}  // namespace larkholm::testing
