// Downloads over bad lines, two figures:
//
//   reset-at-90%       bytes the server sent ÷ the manifest's size, when the first connection of
//                      every file is dropped at 90 % (each attempt used to start from byte zero,
//                      which cost about 1.9)
//   throttled-2MiB/s   a whole installation run (service request, manifest, download, MD5 check,
//                      extraction) through a line paced at 2 MiB/s: its time ÷ (size ÷ rate)
//
//   bench_resume [MiB of the throttled manifest, default 100]
//
// Output follows bench/README.md (RATIO, PEAK).
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/common/BenchScratch.h"
#include "download/DownLoadThread.h"
#include "service/HttpClient.h"
#include "service/Md5.h"
#include "support/Clock.h"
#include "support/TextConvert.h"
#include "support/WizardMessages.h"
#include "tests/install/InstallRunFixtures.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TestHttpServer.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::DownloadRoute;
using larkholm::testing::RecordingWindow;
using larkholm::testing::TempDir;
using larkholm::testing::TestHttpServer;

constexpr double kMiB = 1024.0 * 1024.0;
constexpr int kResetFiles = 3;
constexpr std::uint64_t kResetFileMiB = 32;
constexpr double kLineRate = 2 * kMiB;

struct ServedFile {
    std::string name;
    std::string route;
    std::uint64_t size = 0;
};

// Serves each file of `folder` under /files/<name> as `route` says, and lists it in a manifest.
std::string ServeManifest(TestHttpServer& server, const fs::path& folder, const std::vector<ServedFile>& files,
                          DownloadRoute route) {
    std::string entries;
    for (const ServedFile& file : files) {
        route.localPath = (folder / file.name).string();
        if (route.cutAt != std::string::npos) route.cutAt = file.size / 10 * 9;
        server.ServeDownload(file.route, route);
        std::string hash;
        Md5OfFile(route.localPath, hash);
        entries += std::string(entries.empty() ? "" : ",") + "{\"downUrl\":\"" + server.Url(file.route) +
                   "\",\"name\":\"" + file.name + "\",\"hash\":\"" + hash + "\"}";
    }
    server.ServeJson("/manifest", "{\"retcode\":0,\"retdata\":[" + entries + "]}");
    return entries;
}

ServedFile WriteDataFile(const fs::path& folder, const std::string& name, std::uint64_t size, unsigned seed) {
    bench::WriteScratchFile(folder / name, size, seed);
    return {name, "/files/" + name, size};
}

// Every file's first connection dropped at 90 %: the worker's own retries bring the files in.
bool MeasureResets(const fs::path& root) {
    const fs::path folder = root / "reset";
    fs::create_directories(folder);
    std::vector<ServedFile> files;
    std::uint64_t size = 0;
    for (int i = 1; i <= kResetFiles; ++i) {
        files.push_back(WriteDataFile(folder, "data" + std::to_string(i) + ".bin", kResetFileMiB << 20, i));
        size += files.back().size;
    }
    TestHttpServer server;
    ServeManifest(server, folder, files, {.faultyGets = 1, .cutAt = 0});

    // The 5 s retry pauses say nothing about bytes: the clock runs fast for this case.
    Clock::SetSpeedUp(100);
    DownLoadThread worker;
    for (const ServedFile& file : files) {
        ManifestFile entry;
        entry.name = file.name;
        entry.downUrl = server.Url(file.route);
        Md5OfFile((folder / file.name).string(), entry.hash);
        worker.files.push_back(entry);
    }
    const bool ok = worker.DownloadFiles() && worker.error == 0;
    Clock::SetSpeedUp(1);
    std::uint64_t served = 0;
    for (const ServedFile& file : files) served += server.BytesSent(file.route);
    if (ok) {
        std::printf("RATIO reset-at-90%%-bytes-served %.1f %.1f MiB manifest-size\n", double(served) / kMiB,
                    double(size) / kMiB);
    }
    fs::remove_all(folder);
    return ok;
}

// A whole installation run through a line paced at 2 MiB/s, in this process.
bool MeasureThrottledRun(const fs::path& root, std::uint64_t manifestMiB) {
    const fs::path folder = root / "throttled";
    TempDir scratch;
    fs::create_directories(folder);
    const std::string package = (folder / "assist.zip").string();
    std::string program((1 << 20), '\0');
    for (std::size_t i = 0; i < program.size(); ++i) program[i] = char((i * 7919) >> 5);
    if (!larkholm::testing::MakePackage(scratch, package, {{"assist.exe", program}})) return false;
    const std::uint64_t packageSize = fs::file_size(package);
    std::vector<ServedFile> files = {
        WriteDataFile(folder, "data.bin", (manifestMiB << 20) - packageSize, 11),
        {"assist.zip", "/files/assist.zip", packageSize}};
    const double size = double(manifestMiB << 20);

    TestHttpServer server;
    ServeManifest(server, folder, files, {.bytesPerSecond = kLineRate});
    server.ServeJson("/admin/do/install/setup",
                     "{\"retcode\":0,\"retdata\":{\"downUrl\":\"" + server.Url("/manifest") + "\",\"shopId\":1}}");
    ::setenv("LARKHOLM_SERVICE_URL", server.Url("/admin").c_str(), 1);

    RecordingWindow window;
    DownLoadThread worker;
    worker.shopCode = "A1";
    worker.password = "bench";
    worker.installDir = AnsiToWide((folder / "install").string());
    worker.notifyWindow = window.handle;
    bench::ResetPeakResident();
    const auto start = std::chrono::steady_clock::now();
    worker.Launch();
    bool finished = false;
    while (!(finished = window.WaitFor(UM_INSTALL_FINISHED)) && worker.running) {
    }
    const double seconds = bench::SecondsSince(start);
    while (worker.running) std::this_thread::yield();
    const bool ok = finished && worker.error == 0 && worker.retcode == 0 && !worker.launchPath.empty();
    if (ok) {
        const std::string label = "throttled-" + std::to_string(manifestMiB) + "MiB-at-2MiB/s";
        std::printf("RATIO %s %.2f %.2f s size/rate\n", label.c_str(), seconds, size / kLineRate);
        std::printf("PEAK %s %ld\n", label.c_str(), bench::ResidentKiB("VmHWM"));
    }
    fs::remove_all(folder);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t manifestMiB = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100;
    const fs::path root = bench::ScratchRoot("resume");
    fs::create_directories(root / "prefix" / "drive_c" / "ProgramData");
    ::setenv("WINEPREFIX", (root / "prefix").c_str(), 1);
    HttpStartup();
    bool ok = MeasureResets(root);
    if (!ok) std::fprintf(stderr, "the interrupted manifest did not arrive\n");
    ok = MeasureThrottledRun(root, manifestMiB) && ok;
    if (!ok) std::fprintf(stderr, "a run failed\n");
    HttpShutdown();
    fs::remove_all(root);
    return ok ? 0 : 1;
}
