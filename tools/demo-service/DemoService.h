// The demo install service: plays, on 127.0.0.1 only, the install service the wizard registers
// with and the server its files come from.
//
//   GET /admin/do/install/setup?innerIp=&billSysType=&terminalType=&terminalShortcut=&shopCode=&password=
//   GET /admin/do/install/migration?innerIp=&validCode=
//   GET /admin/do/install/manifest?shopId=        the file list, with MD5 digests
//   GET|HEAD /package/<name>                      the package files
//   GET|HEAD /<path below the site folder>        component installers, agreement page
//
// Replies to the three /admin requests are JSON objects {"retcode", "retmsg", "retdata"} as the real
// service sends them: a refused request gets HTTP 200, a non-zero retcode and a Chinese retmsg.
// Start binds and serves on a thread of the server's own; Stop (or destruction) ends it. Start and
// Stop belong to one owning thread.
#pragma once

#include <httplib.h>
#include <json/value.h>

#include <mutex>
#include <ostream>
#include <string>
#include <thread>

#include "tools/demo-service/DemoContent.h"
#include "tools/demo-service/DemoOptions.h"

class DemoService {
public:
    // The shop id the setup and migration replies hand out; the manifest request must carry it.
    static constexpr int kShopId = 30581;

    DemoService(const DemoOptions& options, const DemoContent& content);
    ~DemoService();
    DemoService(const DemoService&) = delete;
    DemoService& operator=(const DemoService&) = delete;

    // Writes one line per request ("GET /package/assist.zip -> 200") to `out`; the query is left
    // out, so no password is shown. Call before Start.
    void LogRequestsTo(std::ostream& out);

    // Binds 127.0.0.1:<options.port> (port 0: a free one) and starts serving. Returns the bound
    // port, or -1 when the port cannot be bound (in use, no permission).
    int Start();
    void Stop();

    // "http://127.0.0.1:<port>"; valid after Start.
    std::string Origin() const;

private:
    void Setup(const httplib::Request& request, httplib::Response& response) const;
    void Migration(const httplib::Request& request, httplib::Response& response) const;
    void Manifest(const httplib::Request& request, httplib::Response& response) const;
    void Accept(httplib::Response& response) const;
    void Serve(const ServedFile& file, httplib::Response& response) const;

    DemoOptions options;
    const DemoContent& content;
    httplib::Server server;
    std::thread serverThread;
    int port = -1;
    std::mutex logMutex;
};
