#include "tests/download/DownLoadThreadFixture.h"

#include "service/Md5.h"
#include "support/TextConvert.h"
#include "support/WizardMessages.h"
#include "tests/testing/Environment.h"
#include "tests/testing/Eventually.h"

namespace larkholm::testing {

std::string Content(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = char((i * 131 + seed) % 251);
    return bytes;
}

std::string Md5Hex(const std::string& bytes) {
    return Md5(bytes).HexDigest();
}

std::vector<ManifestFile> ManifestOf(std::initializer_list<Entry> entries) {
    std::vector<ManifestFile> files;
    for (const Entry& entry : entries) {
        ManifestFile file;
        file.name = entry.name;
        file.downUrl = entry.downUrl;
        file.hash = entry.hash;
        files.push_back(file);
    }
    return files;
}

std::vector<std::pair<UINT, std::size_t>> Shape(const std::vector<UINT>& messages) {
    std::vector<std::pair<UINT, std::size_t>> shape;
    for (const UINT message : messages) {
        if (!shape.empty() && shape.back().first == message) {
            ++shape.back().second;
        } else {
            shape.push_back({message, 1});
        }
    }
    return shape;
}

DownLoadThreadTest::DownLoadThreadTest() {
    SetEnv("LARKHOLM_SERVICE_URL", server.Url("/admin").c_str());
    worker->notifyWindow = window.handle;
    worker->installDir = AnsiToWide(InstallDir().string());
    worker->shopCode = "A1";
    worker->password = "secret";
}

DownLoadThreadTest::~DownLoadThreadTest() {
    worker.reset();
    UnsetEnv("LARKHOLM_SERVICE_URL");
}

Entry DownLoadThreadTest::ServeFile(const std::string& name, const std::string& bytes, Fault fault,
                                    int faultyHits) {
    const std::string path = "/files/" + std::to_string(++served) + ".bin";
    server.ServeBytes(path, bytes, fault, "application/octet-stream", faultyHits);
    return {name, server.Url(path), Md5Hex(bytes)};
}

void DownLoadThreadTest::ServeManifest(const std::vector<Entry>& entries) {
    server.ServeJson(kSetupPath, SetupReply(server.Url("/manifest")));
    server.ServeJson("/manifest", ManifestReply(entries));
}

void DownLoadThreadTest::RunToEnd() {
    worker->Launch();
    ASSERT_TRUE(window.WaitFor(UM_INSTALL_FINISHED));
    ASSERT_TRUE(Eventually([&] { return !worker->running; }));
}

}  // namespace larkholm::testing
