#include "tests/testing/TestHttpServer.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <string_view>

#include "support/Clock.h"

namespace larkholm::testing {
namespace {

constexpr size_t kPiece = 64 * 1024;

const char* ErrorPage(int status) {
    return status == 404 ? "<html><body><h1>404 Not Found</h1></body></html>"
                         : "<html><body><h1>500 Internal Server Error</h1></body></html>";
}

// The first byte a "Range: bytes=N-" or "bytes=N-M" request asks for; false for any other form.
bool RangeStart(const httplib::Request& request, std::size_t& start) {
    const std::string range = request.get_header_value("Range");
    constexpr std::string_view kUnit = "bytes=";
    if (!range.starts_with(kUnit)) return false;
    const std::size_t dash = range.find('-');
    if (dash == std::string::npos || dash == kUnit.size()) return false;
    start = std::stoull(range.substr(kUnit.size(), dash - kUnit.size()));
    return true;
}

// Where the bytes of one answer come from: the route's text, or its file on disk.
class ByteSource {
public:
    ByteSource(std::string text, const std::string& localPath) : text(std::move(text)) {
        if (this->text.empty() && !localPath.empty()) file = std::make_shared<std::ifstream>(localPath, std::ios::binary);
        if (file) {
            file->seekg(0, std::ios::end);
            size = std::size_t(file->tellg());
        } else {
            size = this->text.size();
        }
    }
    std::size_t Size() const { return size; }
    std::string Read(std::size_t offset, std::size_t count) const {
        if (!file) return text.substr(offset, count);
        std::string bytes(count, '\0');
        file->seekg(std::streamoff(offset));
        file->read(bytes.data(), std::streamsize(count));
        bytes.resize(std::size_t(file->gcount()));
        return bytes;
    }

private:
    std::string text;
    std::shared_ptr<std::ifstream> file;
    std::size_t size = 0;
};

// Holds a paced answer back until its bytes are due at `bytesPerSecond` of clock time.
class Pacer {
public:
    explicit Pacer(double bytesPerSecond) : rate(bytesPerSecond) {}
    bool Active() const { return rate > 0; }
    // A piece a tenth of a second long, so the pace is even at small rates too.
    std::size_t Piece() const { return std::max<std::size_t>(1, std::size_t(rate / 10)); }
    void WaitUntilDue(std::size_t sent) {
        const std::uint64_t now = Clock::Ticks();
        if (!started) {
            started = true;
            startTick = now;
            startSent = sent;
        }
        const auto due = startTick + std::uint64_t(double(sent - startSent) * 1000 / rate);
        if (due > now) Clock::Sleep(std::uint32_t(due - now));
    }

private:
    const double rate;
    bool started = false;
    std::uint64_t startTick = 0;
    std::size_t startSent = 0;
};

}  // namespace

TestHttpServer::TestHttpServer() {
    auto dispatch = [this](const httplib::Request& request, httplib::Response& response) {
        Dispatch(request, response);
    };
    server.Get(".*", dispatch);
    server.Post(".*", dispatch);
    server.set_keep_alive_max_count(100);
    // A client that a busy machine keeps from reading for a few seconds is slow, not gone; the
    // default 5 s would cut its answer short.
    server.set_write_timeout(30, 0);
    port = server.bind_to_any_port("127.0.0.1");
    serverThread = std::thread([this] { server.listen_after_bind(); });
    // stop() is a no-op until the accept loop runs, so do not hand the server out before then.
    while (!server.is_running()) std::this_thread::yield();
}

TestHttpServer::~TestHttpServer() {
    {
        std::lock_guard lock(mutex);
        shuttingDown = true;
    }
    shutdownSignal.notify_all();
    server.stop();
    serverThread.join();
}

std::string TestHttpServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

void TestHttpServer::Handle(const std::string& path, httplib::Server::Handler handler) {
    std::lock_guard lock(mutex);
    routes[path] = std::move(handler);
}

void TestHttpServer::ServeBytes(const std::string& path, std::string body, Fault fault,
                                const std::string& contentType, int faultyHits) {
    auto shared = std::make_shared<const std::string>(std::move(body));
    Handle(path, [this, path, shared, fault, contentType, faultyHits](const httplib::Request& request,
                                                                      httplib::Response& response) {
        const bool faulty = faultyHits == 0 || GetCount(path) <= faultyHits;
        AnswerWithFault(request, response, shared, contentType, faulty ? fault : Fault::None);
    });
}

void TestHttpServer::ServeJson(const std::string& path, std::string json) {
    ServeBytes(path, std::move(json), Fault::None, "application/json; charset=utf-8");
}

void TestHttpServer::ServeStatus(const std::string& path, int status, std::string body,
                                 const std::string& contentType) {
    Handle(path, [status, body = std::move(body), contentType](const httplib::Request&, httplib::Response& response) {
        response.status = status;
        response.set_content(body, contentType);
    });
}

void TestHttpServer::ServeFile(const std::string& path, const std::string& localPath, Fault fault) {
    Handle(path, [this, localPath, fault](const httplib::Request& request, httplib::Response& response) {
        std::ifstream probe(localPath, std::ios::binary | std::ios::ate);
        const size_t size = probe ? size_t(probe.tellg()) : 0;
        if (fault == Fault::HeadNotFound && request.method == "HEAD") {
            response.status = 404;
            return;
        }
        auto file = std::make_shared<std::ifstream>(localPath, std::ios::binary);
        const size_t sendLimit = fault == Fault::ResetMidBody ? size / 2 : size;
        response.set_content_provider(
            size, "application/octet-stream",
            [file, sendLimit](size_t offset, size_t, httplib::DataSink& sink) {
                if (offset >= sendLimit) return false;
                std::vector<char> piece(std::min(kPiece, sendLimit - offset));
                file->seekg(std::streamoff(offset));
                file->read(piece.data(), std::streamsize(piece.size()));
                return sink.write(piece.data(), size_t(file->gcount()));
            });
    });
}

void TestHttpServer::ServeDownload(const std::string& path, DownloadRoute route) {
    Handle(path, [this, path, route = std::move(route)](const httplib::Request& request, httplib::Response& response) {
        AnswerDownload(request, response, path, route);
    });
}

void TestHttpServer::AnswerDownload(const httplib::Request& request, httplib::Response& response,
                                    const std::string& path, const DownloadRoute& route) {
    // httplib would cut the body to the requested range by itself, even under a status of ours:
    // this route answers ranges itself, as the server it stands for would.
    const_cast<httplib::Request&>(request).ranges.clear();
    const int getNumber = GetCount(path);
    const bool changed = !route.changedBody.empty() && getNumber > 1;
    const std::string etag = changed ? route.changedEtag : route.etag;
    const auto source = std::make_shared<ByteSource>(changed ? route.changedBody : route.body, route.localPath);
    const std::size_t size = source->Size();
    if (!etag.empty()) response.set_header("ETag", etag);
    if (!route.lastModified.empty()) response.set_header("Last-Modified", route.lastModified);
    response.set_header("Accept-Ranges", "bytes");

    std::size_t from = 0;
    const std::string ifRange = request.get_header_value("If-Range");
    const bool rangeValid = ifRange.empty() || ifRange == etag || ifRange == route.lastModified;
    if (route.honoursRange && rangeValid && RangeStart(request, from)) {
        if (from >= size) {
            response.status = 416;
            response.set_header("Content-Range", "bytes */" + std::to_string(size));
            return;
        }
        if (route.wrongContentRange && from > 0) --from;
        response.status = 206;
        response.set_header("Content-Range",
                            "bytes " + std::to_string(from) + "-" + std::to_string(size - 1) + "/" + std::to_string(size));
    } else {
        from = 0;
        response.status = 200;
    }

    const bool faulty = route.faultyGets == 0 || getNumber <= route.faultyGets;
    const std::size_t cutAt = faulty ? route.cutAt : std::string::npos;
    auto pacer = std::make_shared<Pacer>(faulty ? route.bytesPerSecond : 0);
    response.set_content_provider(
        size - from, "application/octet-stream",
        [this, path, route, source, from, size, cutAt, pacer](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            const std::size_t at = from + offset;
            if (at >= cutAt) {
                if (route.stallAtCut) WaitForShutdown();
                return false;  // closes the connection short of the declared length
            }
            std::size_t count = std::min({kPiece, size - at, cutAt - at});
            if (pacer->Active() && at >= route.paceFrom) {
                count = std::min(count, pacer->Piece());
                pacer->WaitUntilDue(at);
            } else if (pacer->Active()) {
                count = std::min(count, route.paceFrom - at);
            }
            const std::string piece = source->Read(at, count);
            // Counted before the write, so the count is whole by the time the client has the bytes.
            AddBytesSent(path, std::int64_t(piece.size()));
            if (sink.write(piece.data(), piece.size())) return true;
            AddBytesSent(path, -std::int64_t(piece.size()));
            return false;
        });
}

void TestHttpServer::AnswerWithFault(const httplib::Request& request, httplib::Response& response,
                                     std::shared_ptr<const std::string> body, const std::string& contentType,
                                     Fault fault) {
    const bool head = request.method == "HEAD";
    const size_t size = body->size();
    switch (fault) {
        case Fault::None:
            response.set_content(*body, contentType);
            return;
        case Fault::Status500:
        case Fault::Status404:
            response.status = fault == Fault::Status404 ? 404 : 500;
            response.set_content(ErrorPage(response.status), "text/html");
            return;
        case Fault::HeadNotFound:
            if (head) response.status = 404;
            else response.set_content(*body, contentType);
            return;
        case Fault::HeadWrongLength:
            // A HEAD reply carries the length of its content without the content itself.
            response.set_content(head ? body->substr(0, size / 2) : *body, contentType);
            return;
        case Fault::LongerBody:
            // The whole body and more in the first write: nothing stops a server sending past its length.
            response.set_content_provider(size, contentType, [body](size_t, size_t, httplib::DataSink& sink) {
                const std::string longer = *body + std::string(100, 'x');
                return sink.write(longer.data(), longer.size());
            });
            return;
        case Fault::ChunkedNoEnd:
            response.set_chunked_content_provider(
                contentType, [body](size_t offset, httplib::DataSink& sink) {
                    if (offset >= body->size()) return false;  // closes without the last chunk
                    return sink.write(body->data() + offset, std::min(kPiece, body->size() - offset));
                });
            return;
        case Fault::HeadNoLength:
        case Fault::NoContentLength:
            if (head) {
                // An empty chunked reply: httplib would add "Content-Length: 0" to a plain empty one.
                response.set_chunked_content_provider(contentType, [](size_t, httplib::DataSink& sink) {
                    sink.done();
                    return true;
                });
                return;
            }
            if (fault == Fault::HeadNoLength) {
                response.set_content(*body, contentType);
                return;
            }
            response.set_chunked_content_provider(contentType, [body](size_t offset, httplib::DataSink& sink) {
                if (offset >= body->size()) {
                    sink.done();
                    return true;
                }
                const size_t n = std::min(kPiece, body->size() - offset);
                return sink.write(body->data() + offset, n);
            });
            return;
        case Fault::ResetMidBody:
        case Fault::StallMidBody:
        case Fault::Stall:
        case Fault::LongerLength: {
            const size_t declared = fault == Fault::LongerLength ? size + 100 : size;
            const size_t sendLimit = fault == Fault::LongerLength ? size : fault == Fault::Stall ? 0 : size / 2;
            const bool stall = fault == Fault::Stall || fault == Fault::StallMidBody;
            response.set_content_provider(
                declared, contentType,
                [this, body, sendLimit, stall](size_t offset, size_t, httplib::DataSink& sink) {
                    if (offset < sendLimit) {
                        const size_t n = std::min(kPiece, sendLimit - offset);
                        return sink.write(body->data() + offset, n);
                    }
                    if (stall) WaitForShutdown();
                    return false;  // closes the connection short of the declared length
                });
            return;
        }
    }
}

bool TestHttpServer::WaitForShutdown() {
    std::unique_lock lock(mutex);
    shutdownSignal.wait(lock, [this] { return shuttingDown; });
    return true;
}

void TestHttpServer::Dispatch(const httplib::Request& request, httplib::Response& response) {
    httplib::Server::Handler handler;
    {
        std::lock_guard lock(mutex);
        requests.push_back({request.method, request.path, request.target,
                            {request.headers.begin(), request.headers.end()}, request.body});
        if (request.method == "GET") ++getCounts[request.path];
        const auto route = routes.find(request.path);
        if (route != routes.end()) handler = route->second;
    }
    if (!handler) {
        response.status = 404;
        response.set_content(ErrorPage(404), "text/html");
        return;
    }
    handler(request, response);
}

int TestHttpServer::GetCount(const std::string& path) const {
    std::lock_guard lock(mutex);
    const auto it = getCounts.find(path);
    return it == getCounts.end() ? 0 : it->second;
}

void TestHttpServer::AddBytesSent(const std::string& path, std::int64_t count) {
    std::lock_guard lock(mutex);
    bytesSent[path] += std::uint64_t(count);
}

std::uint64_t TestHttpServer::BytesSent(const std::string& path) const {
    std::lock_guard lock(mutex);
    const auto it = bytesSent.find(path);
    return it == bytesSent.end() ? 0 : it->second;
}

std::vector<RecordedRequest> TestHttpServer::Requests() const {
    std::lock_guard lock(mutex);
    return requests;
}

}  // namespace larkholm::testing
