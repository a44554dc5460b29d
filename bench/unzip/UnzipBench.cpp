// Extracts a ~300 MB deflated archive (680 MiB of content), plain and encrypted, with the ZIP reader (driven
// as package extraction drives it) and with `unzip`, alternating, and prints the best time of each and the
// ratio. Also prints the process's peak memory before and after, which must not grow with the
// archive. Needs `zip` and `unzip` on PATH.
//
//   bench_unzip [MiB of content, default 680]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/common/BenchScratch.h"
#include "install/ExtractPackage.h"
#include "install/ZipReader.h"
#include "support/TextConvert.h"
#include "tests/install/ZipFixtures.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::RunShell;
using larkholm::testing::ShellQuote;

constexpr int kRounds = 3;
constexpr std::uint64_t kFileBytes = 10 * 1024 * 1024;

// Log-like content that deflates to about half: words from a small vocabulary, each followed by a
// random token, so the archive is about half the size of what it holds.
void WriteSampleFile(const fs::path& path, std::uint64_t size, std::uint32_t seed) {
    static const char* const words[] = {"hotel",  "terminal", "cafe",    "billing", "server", "shop",
                                        "client", "session",  "account", "minutes", "seat",   "member"};
    static const char tokenChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::mt19937 random(seed);
    std::ofstream out(path, std::ios::binary);
    std::string chunk;
    for (std::uint64_t written = 0; written < size; written += chunk.size()) {
        chunk.clear();
        while (chunk.size() < 64 * 1024) {
            const std::uint32_t r = random();
            chunk += words[r % 12];
            chunk += r % 7 == 0 ? '\n' : ' ';
            for (int i = 0; i < 5; ++i) chunk += tokenChars[random() % 64];
            chunk += ' ';
        }
        out.write(chunk.data(), std::streamsize(chunk.size()));
    }
}

bool ExtractWithReader(const fs::path& archive, const char* password, const fs::path& folder) {
    ZipHandle* handle = OpenArchive(AnsiToWide(archive.string()), password);
    if (handle == nullptr) return false;
    ZipEntryInfo info;
    bool ok = GetEntry(handle, -1, info) == kZipOk;
    const std::int32_t count = info.index;
    for (std::int32_t i = 0; ok && i < count; ++i) {
        ok = GetEntry(handle, i, info) == kZipOk &&
             ExtractEntry(handle, i, AnsiToWide(folder.string()) + L"/" + info.name) == kZipOk;
    }
    CloseArchive(handle);
    return ok;
}

bool ExtractWithUnzip(const fs::path& archive, const char* password, const fs::path& folder) {
    const std::string passwordOption = password ? "-P " + ShellQuote(password) + " " : "";
    return RunShell("unzip -qq -o " + passwordOption + ShellQuote(archive.string()) + " -d " +
                    ShellQuote(folder.string()));
}

template <typename Extract>
double BestSeconds(Extract extract, const fs::path& archive, const char* password, const fs::path& folder,
                   bool& ok) {
    fs::remove_all(folder);
    const auto start = std::chrono::steady_clock::now();
    ok = ok && extract(archive, password, folder);
    const double seconds = bench::SecondsSince(start);
    fs::remove_all(folder);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t totalMiB = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 680;
    const fs::path work = bench::ScratchRoot("unzip");
    const fs::path source = work / "source";
    fs::create_directories(source);

    std::printf("preparing %llu MiB of sample files and two archives...\n", (unsigned long long)totalMiB);
    const std::uint64_t files = std::max<std::uint64_t>(1, totalMiB * 1024 * 1024 / kFileBytes);
    for (std::uint64_t i = 0; i < files; ++i)
        WriteSampleFile(source / ("data" + std::to_string(i) + ".txt"), kFileBytes, std::uint32_t(i + 1));
    const fs::path plain = work / "plain.zip", encrypted = work / "encrypted.zip";
    bool ok = RunShell("cd " + ShellQuote(source.string()) + " && zip -q -r " + ShellQuote(plain.string()) +
                       " . && zip -q -r -P " + ShellQuote(kPackagePassword) + " " +
                       ShellQuote(encrypted.string()) + " .");
    fs::remove_all(source);
    if (!ok) {
        std::fprintf(stderr, "zip failed\n");
        return 1;
    }

    const long peakBeforeKiB = bench::ResidentKiB("VmHWM");
    struct Case {
        const char* what;
        const fs::path& archive;
        const char* password;
        double target;
    };
    const Case cases[] = {{"deflated", plain, nullptr, 1.1},
                          {"deflated + encrypted", encrypted, kPackagePassword, 1.2}};
    std::printf("%-22s %10s %10s %10s %8s %8s\n", "archive", "MiB", "reader s", "unzip s", "ratio", "target");
    for (const Case& c : cases) {
        double reader = 1e9, unzip = 1e9;
        for (int round = 0; round < kRounds; ++round) {
            reader =
                std::min(reader, BestSeconds(ExtractWithReader, c.archive, c.password, work / "out", ok));
            unzip = std::min(unzip, BestSeconds(ExtractWithUnzip, c.archive, c.password, work / "out", ok));
        }
        std::printf("%-22s %10.1f %10.3f %10.3f %8.3f %8.2f\n", c.what,
                    double(fs::file_size(c.archive)) / 1048576.0, reader, unzip, reader / unzip, c.target);
        std::printf("RATIO %s %.3f %.3f s unzip\n", c.password ? "deflated-encrypted" : "deflated", reader,
                    unzip);
    }
    const long peakAfterKiB = bench::ResidentKiB("VmHWM");
    std::printf("peak memory: %.1f MiB before extracting, %.1f MiB after\n", peakBeforeKiB / 1024.0,
                peakAfterKiB / 1024.0);
    std::printf("PEAK extract %ld\n", peakAfterKiB);
    fs::remove_all(work);
    if (!ok) std::fprintf(stderr, "an extraction failed\n");
    return ok ? 0 : 1;
}
