// Times a whole installation run of DownLoadThread (setup request, manifest, download of every
// file, MD5 check, extraction of the encrypted package) and the same work done by the command-line
// tools (curl, md5sum -c, unzip), against one loopback server in one run. Prints both times, the
// ratio, and the peak memory of the worker's process for a small and a full-size package, which
// must be about the same.
//
//   bench_install-run [MiB per data file, default 150]
//
// The full manifest is three data files and the package (about 500 MB together). Our side runs in
// a child process of this program (so its peak memory is its own, not the server's); each side is
// measured three times, alternating, and its best time counts. The worker's run ends with a fixed
// 0.5 s pause, which the second ratio leaves out. Output follows bench/README.md (RATIO, PEAK).
#include <stdlib.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench/common/BenchScratch.h"
#include "download/DownLoadThread.h"
#include "install/ExtractPackage.h"
#include "service/HttpClient.h"
#include "service/Md5.h"
#include "support/TextConvert.h"
#include "support/WindowMessages.h"
#include "support/WizardMessages.h"
#include "tests/install/ZipFixtures.h"
#include "tests/testing/TestHttpServer.h"

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;
using larkholm::testing::RunShell;
using larkholm::testing::ShellQuote;
using larkholm::testing::TestHttpServer;

constexpr int kRounds = 3;
constexpr int kDataFiles = 3;
constexpr double kEndPauseSeconds = DownLoadThread::kEndPauseMs / 1000.0;

// Base64 text, which deflates to about three quarters, for the package's items.
bool WriteTextFile(const fs::path& path, std::uint64_t size) {
    return RunShell("base64 -w 76 /dev/urandom 2>/dev/null | head -c " + std::to_string(size) + " > " +
                    ShellQuote(path.string()));
}

// The stand-in main window of the child: tells when the run has finished.
class FinishWatch : public MessageTarget {
public:
    FinishWatch() : window(RegisterWindow(this)) {}
    ~FinishWatch() { UnregisterWindow(window); }
    void OnPosted(UINT message, WPARAM, LPARAM) override {
        if (message != UM_INSTALL_FINISHED) return;
        std::lock_guard lock(mutex);
        finished = true;
        changed.notify_all();
    }
    void Wait() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return finished; });
    }
    const HWND window;

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool finished = false;
};

// Child mode: one installation run into `installDir` with the service and prefix the environment
// names; writes its peak memory to `peakFile`. Exit code 0 when the run succeeded.
int RunInstallation(const std::string& installDir, const std::string& peakFile) {
    HttpStartup();
    int result = 1;
    {
        FinishWatch watch;
        DownLoadThread worker;
        worker.shopCode = "A1";
        worker.password = "bench";
        worker.installDir = AnsiToWide(installDir);
        worker.notifyWindow = watch.window;
        worker.Launch();
        watch.Wait();
        while (worker.running) std::this_thread::yield();
        if (worker.error == 0 && worker.retcode == 0 && !worker.launchPath.empty()) result = 0;
    }
    HttpShutdown();
    std::ofstream(peakFile) << bench::ResidentKiB("VmHWM") << "\n";
    return result;
}

struct Package {
    std::vector<std::string> names;  // as in the manifest; the archive last
    std::uint64_t bytes = 0;
};

// Writes the data files and the package archive into `folder`; false when a tool failed.
bool MakeFiles(const fs::path& folder, std::uint64_t dataMiB, std::uint64_t textMiB, Package& package) {
    fs::create_directories(folder / "stage" / "conf");
    // Pseudo-random bytes, which do not compress, as the data files are.
    for (int i = 1; i <= kDataFiles; ++i) {
        const std::string name = "data" + std::to_string(i) + ".bin";
        bench::WriteScratchFile(folder / name, dataMiB << 20, i);
        package.names.push_back(name);
    }
    bench::WriteScratchFile(folder / "stage" / "assist.exe", 1 << 20, kDataFiles + 1);
    bool ok = true;
    for (int i = 0; i < 8; ++i)
        ok = ok && WriteTextFile(folder / "stage" / "conf" / ("part" + std::to_string(i) + ".log"),
                                 (textMiB << 20) / 8);
    ok = ok && RunShell("cd " + ShellQuote((folder / "stage").string()) + " && zip -q -r -P " +
                        ShellQuote(kPackagePassword) + " " + ShellQuote((folder / "assist.zip").string()) +
                        " assist.exe conf");
    fs::remove_all(folder / "stage");
    package.names.push_back("assist.zip");
    for (const std::string& name : package.names) package.bytes += ok ? fs::file_size(folder / name) : 0;
    return ok;
}

struct Sides {
    double ours = 1e300, tools = 1e300;
    long peakKiB = 0;
};

// Serves `package` from `folder` as the install service would and times both sides `rounds` times.
bool Measure(const fs::path& self, const fs::path& folder, const Package& package, int rounds, Sides& sides) {
    TestHttpServer server;
    std::string entries;
    std::ofstream checks(folder / "check.md5");
    std::string downloads;
    for (std::size_t i = 0; i < package.names.size(); ++i) {
        const std::string& name = package.names[i];
        const std::string path = "/files/" + name;
        server.ServeFile(path, (folder / name).string());
        std::string hash;
        Md5OfFile((folder / name).string(), hash);
        entries += std::string(i ? "," : "") + "{\"downUrl\":\"" + server.Url(path) + "\",\"name\":\"" +
                   name + "\",\"hash\":\"" + hash + "\"}";
        checks << hash << "  " << name << "\n";
        downloads += "curl -s -f -o " + ShellQuote(name) + " " + ShellQuote(server.Url(path)) + "\n";
    }
    checks.close();
    server.ServeJson("/admin/do/install/setup", "{\"retcode\":0,\"retdata\":{\"downUrl\":\"" +
                                                    server.Url("/manifest") + "\",\"shopId\":1}}");
    server.ServeJson("/manifest", "{\"retcode\":0,\"retdata\":[" + entries + "]}");
    ::setenv("LARKHOLM_SERVICE_URL", server.Url("/admin").c_str(), 1);

    const fs::path tools = folder / "tools";
    fs::create_directories(tools);
    fs::copy_file(folder / "check.md5", tools / "check.md5", fs::copy_options::overwrite_existing);
    const std::string toolScript =
        "set -e\ncd " + ShellQuote(tools.string()) + "\nrm -rf install\n" + "curl -s -f -o setup.json " +
        ShellQuote(server.Url("/admin/do/install/setup?shopCode=A1&password=bench")) + "\n" +
        "curl -s -f -o manifest.json " + ShellQuote(server.Url("/manifest")) + "\n" + downloads +
        "md5sum -c --quiet check.md5\nmkdir -p install\n" + "unzip -q -o -P " + ShellQuote(kPackagePassword) +
        " assist.zip -d install/assist\n";
    const std::string peakFile = (folder / "peak.txt").string();
    const std::string ours = ShellQuote(self.string()) + " --run " +
                             ShellQuote((folder / "ours" / "Ostrelle").string()) + " " +
                             ShellQuote(peakFile) + " 2>/dev/null";

    for (int round = 0; round < rounds; ++round) {
        auto start = SteadyClock::now();
        if (!RunShell(ours)) return false;
        const double oursSeconds = bench::SecondsSince(start);
        long peak = -1;
        std::ifstream(peakFile) >> peak;
        sides.peakKiB = std::max(sides.peakKiB, peak);

        start = SteadyClock::now();
        if (!RunShell("sh -c " + ShellQuote(toolScript))) return false;
        const double toolSeconds = bench::SecondsSince(start);
        sides.ours = std::min(sides.ours, oursSeconds);
        sides.tools = std::min(sides.tools, toolSeconds);
        std::printf("round %d  DownLoadThread %7.3f s   curl+md5sum+unzip %7.3f s\n", round + 1, oursSeconds,
                    toolSeconds);
    }
    return fs::file_size(folder / "ours" / "Ostrelle" / "assist" / "assist.exe") == (1u << 20);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--run") return RunInstallation(argv[2], argv[3]);

    const std::uint64_t dataMiB = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 150;
    const fs::path root = bench::ScratchRoot("install-run");
    const fs::path self = fs::canonical("/proc/self/exe");

    // The worker's download folder is the Wine prefix's common application data folder.
    fs::create_directories(root / "prefix" / "drive_c" / "ProgramData");
    ::setenv("WINEPREFIX", (root / "prefix").c_str(), 1);

    struct Size {
        const char* label;
        std::uint64_t dataMiB, textMiB;
        int rounds;
    };
    const Size sizes[] = {{"small", std::max<std::uint64_t>(dataMiB / 8, 1), 10, 1},
                          {"full", dataMiB, 80, kRounds}};
    bool ok = true;
    for (const Size& size : sizes) {
        const fs::path folder = root / size.label;
        fs::create_directories(folder);
        Package package;
        if (!MakeFiles(folder, size.dataMiB, size.textMiB, package)) {
            std::fprintf(stderr, "the files could not be made (head, base64, zip)\n");
            ok = false;
            break;
        }
        const std::string label = std::to_string(package.bytes >> 20) + "MiB-manifest";
        std::printf("== %s: %zu files, %.1f MiB\n", label.c_str(), package.names.size(),
                    double(package.bytes) / (1 << 20));
        Sides sides;
        if (!Measure(self, folder, package, size.rounds, sides)) {
            std::fprintf(stderr, "a run failed (%s)\n", label.c_str());
            ok = false;
            break;
        }
        fs::remove_all(folder);
        if (size.rounds == kRounds) {
            std::printf("RATIO %s %.3f %.3f s curl+md5sum+unzip\n", label.c_str(), sides.ours, sides.tools);
            std::printf("RATIO %s-less-end-pause %.3f %.3f s curl+md5sum+unzip\n", label.c_str(),
                        sides.ours - kEndPauseSeconds, sides.tools);
            std::printf("target: %.3f s <= 1.15 x %.3f s + %.1f s = %.3f s\n", sides.ours, sides.tools,
                        kEndPauseSeconds, 1.15 * sides.tools + kEndPauseSeconds);
        }
        std::printf("PEAK %s %ld\n", label.c_str(), sides.peakKiB);
    }
    fs::remove_all(root);
    return ok ? 0 : 1;
}
