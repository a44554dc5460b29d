// larkholm-demo-service: the install service and component download server of the demo, on
// 127.0.0.1. Prints the demo shop code and password, serves until SIGINT or SIGTERM.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "tools/demo-service/DemoContent.h"
#include "tools/demo-service/DemoOptions.h"
#include "tools/demo-service/DemoService.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int) {
    stopRequested = 1;
}

// Written under another name and renamed, so a reader never sees a partial number.
bool WritePortFile(const std::string& path, int port) {
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial);
        out << port << '\n';
        if (!out) return false;
    }
    std::error_code problem;
    std::filesystem::rename(partial, path, problem);
    return !problem;
}

void PrintBanner(const DemoOptions& options, const DemoContent& content, const std::string& origin) {
    std::cout << "Larkholm demo install service on " << origin << "\n"
              << "  shop code (酒店编号):  " << options.shopCode << "\n"
              << "  password (酒店密码):   " << options.password << "\n"
              << "  migration code:        " << options.validCode << "\n"
              << "  install service URL:   " << origin << "/admin\n";
    for (const ServedFile& file : content.PackageFiles())
        std::cout << "  package file:          " << file.name << " (" << file.bytes.size() << " bytes, md5 "
                  << file.md5 << ")\n";
    std::cout << "Press Ctrl+C to stop." << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    DemoOptions options;
    std::string error;
    if (!ParseDemoOptions({argv + 1, argv + argc}, options, error)) {
        std::cerr << "larkholm-demo-service: " << error << "\n" << DemoUsage();
        return 2;
    }
    if (options.help) {
        std::cout << DemoUsage();
        return 0;
    }
    DemoContent content;
    if (!content.Load(options.packageDir, options.siteDir, error)) {
        std::cerr << "larkholm-demo-service: " << error << "\n";
        return 1;
    }

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    DemoService service(options, content);
    service.LogRequestsTo(std::cout);
    const int port = service.Start();
    if (port < 0) {
        std::cerr << "larkholm-demo-service: cannot listen on 127.0.0.1:" << options.port
                  << " (is another service using the port?)\n";
        return 1;
    }
    if (!options.portFile.empty() && !WritePortFile(options.portFile, port)) {
        std::cerr << "larkholm-demo-service: cannot write " << options.portFile << "\n";
        return 1;
    }
    PrintBanner(options, content, service.Origin());

    // A signal handler may only set a flag; this thread turns it into an orderly stop.
    while (stopRequested == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    service.Stop();
    std::cout << "Demo install service stopped." << std::endl;
    return 0;
}
