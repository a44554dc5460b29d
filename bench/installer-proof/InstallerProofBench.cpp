// Times HeldInstaller's Open + Proves on one installer, the way the setup worker proves an installer
// right before it starts, against reading the same file once from start to end (what any check of
// its bytes costs at least). Ten rounds each, alternating; the medians count.
//
//   bench_installer_proof FILE SIGNER [SHA256] [CASE]
//
// Prints "RATIO CASE ours reference s plain-read" and the verdict of the proof.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/common/BenchScratch.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/HeldInstaller.h"

namespace {

constexpr int kRounds = 10;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return (values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2;
}

// Reads the whole file once, as the cheapest check of its bytes would.
bool ReadThrough(const std::string& path) {
    std::FILE* file = OpenCFile(path, "rb");
    if (file == nullptr) return false;
    std::vector<char> buffer(1 << 20);
    while (std::fread(buffer.data(), 1, buffer.size(), file) == buffer.size()) {
    }
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_installer_proof FILE SIGNER [SHA256] [CASE]\n");
        return 2;
    }
    const std::string path = argv[1];
    const InstallerProof proof{argv[2], argc > 3 ? argv[3] : ""};
    const std::string name = argc > 4 ? argv[4] : "installer-proof";
    std::vector<double> ours;
    std::vector<double> reference;
    std::string problem;
    bool proven = true;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        HeldInstaller installer;
        if (installer.Open(path) != 0) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            return 1;
        }
        proven = installer.Proves(proof, problem) && proven;
        ours.push_back(bench::SecondsSince(start));
        installer.Close();
        start = std::chrono::steady_clock::now();
        if (!ReadThrough(path)) return 1;
        reference.push_back(bench::SecondsSince(start));
    }
    std::printf("%s: %s\n", name.c_str(), proven ? "proven" : ("refused: " + problem).c_str());
    std::printf("RATIO %s %.4f %.4f s plain-read\n", name.c_str(), Median(ours), Median(reference));
    return proven ? 0 : 1;
}
