// An HTTP server on 127.0.0.1 with an ephemeral port, running on its own thread for one test.
// Routes serve bytes, files or JSON, optionally with a fault injected, and every request is
// recorded so a test can check what the client sent. Destruction releases stalled replies and
// stops the server.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <cstdint>
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

// A file served the way download servers serve one, Range and If-Range answered against its
// validator, with the faults of bad lines on its first GETs.
struct DownloadRoute {
    std::string body = {};       // the file,
    std::string localPath = {};  // or, when `body` is empty, a file on disk streamed in pieces
    std::string etag = "\"v1\"";  // sent with every answer; empty: none
    std::string lastModified = {};  // sent when not empty
    bool honoursRange = true;       // false: a Range request gets the whole file (200)
    bool wrongContentRange = false;  // a Range request gets a 206 that starts one byte early
    int faultyGets = 0;              // the first N GETs carry the faults below; 0: every GET
    std::size_t cutAt = std::string::npos;  // file offset where a faulty GET stops sending and...
    bool stallAtCut = false;  // ...holds the connection until shutdown instead of dropping it
    double bytesPerSecond = 0;  // pace of a faulty GET from `paceFrom` on, in clock time; 0: full speed
    std::size_t paceFrom = 0;
    std::string changedBody = {};           // from the second GET on the file is this,
    std::string changedEtag = "\"v2\"";  // under this validator
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
    void ServeDownload(const std::string& path, DownloadRoute route);
    // Any other behaviour: the handler answers GET, HEAD and POST on `path`.
    void Handle(const std::string& path, httplib::Server::Handler handler);

    // GET requests seen on `path` (HEAD not counted).
    int GetCount(const std::string& path) const;
    // Body bytes the GET answers of a ServeDownload route handed to the network.
    std::uint64_t BytesSent(const std::string& path) const;
    std::vector<RecordedRequest> Requests() const;

private:
    struct Route {
        std::function<void(const httplib::Request&, httplib::Response&)> handler;
    };
    void Dispatch(const httplib::Request& request, httplib::Response& response);
    void AnswerWithFault(const httplib::Request& request, httplib::Response& response,
                         std::shared_ptr<const std::string> body, const std::string& contentType, Fault fault);
    void AnswerDownload(const httplib::Request& request, httplib::Response& response, const std::string& path,
                        const DownloadRoute& route);
    void AddBytesSent(const std::string& path, std::int64_t count);
    bool WaitForShutdown();

    httplib::Server server;
    std::thread serverThread;
    int port = 0;

    mutable std::mutex mutex;
    std::condition_variable shutdownSignal;
    bool shuttingDown = false;
    std::map<std::string, httplib::Server::Handler> routes;
    std::map<std::string, int> getCounts;
    std::map<std::string, std::uint64_t> bytesSent;
    std::vector<RecordedRequest> requests;
};

}  // namespace larkholm::testing
