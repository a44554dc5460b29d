#include "tests/hostile/InstallRunHarness.h"

#include <stdlib.h>

#include "service/Md5.h"
#include "support/TextConvert.h"
#include "support/WizardMessages.h"
#include "tests/install/ZipFixtures.h"
#include "tests/testing/InstallReplies.h"
#include "tests/testing/Eventually.h"
#include "tests/testing/RecordingWindow.h"

namespace larkholm::testing {

InstallRunHarness::~InstallRunHarness() {
    ::unsetenv("LARKHOLM_SERVICE_URL");
}

void InstallRunHarness::ServeRun(const std::string& package, Step step, const Serve& faulty) {
    const auto serve = [&](Step which, const std::string& path, const std::string& body) {
        return (which == step ? faulty : Healthy())(*this, path, body);
    };
    const std::string file = serve(Step::File, "/files/assist.zip", package) + "/files/assist.zip";
    const std::string manifest =
        serve(Step::Manifest, "/manifest", ManifestReply({{"assist.zip", file, Md5(package).HexDigest()}}));
    const std::string service = serve(Step::Service, "/admin/do/install/setup", SetupReply(manifest + "/manifest"));
    ::setenv("LARKHOLM_SERVICE_URL", (service + "/admin").c_str(), 1);
}

void InstallRunHarness::RunToEnd(DownLoadThread& worker, const std::filesystem::path& installDir) {
    RecordingWindow window;
    worker.notifyWindow = window.handle;
    worker.installDir = AnsiToWide(installDir.string());
    worker.shopCode = "A1";
    worker.Launch();
    ASSERT_TRUE(window.WaitFor(UM_INSTALL_FINISHED));
    ASSERT_TRUE(Eventually([&] { return !worker.running; }));
    EXPECT_EQ(window.Messages().back(), UINT(UM_INSTALL_FINISHED));
}

std::filesystem::path InstallRunHarness::DownloadDir() const {
    return std::filesystem::path(prefix.DriveC()) / "ProgramData" / "Ostrelle";
}

Serve InstallRunHarness::Healthy() {
    return Faulty(Fault::None);
}

Serve InstallRunHarness::Faulty(Fault fault) {
    return [fault](InstallRunHarness& run, const std::string& path, const std::string& body) {
        run.server.ServeBytes(path, body, fault, "application/json");
        return run.server.Url("");
    };
}

Serve InstallRunHarness::Replying(std::string reply) {
    return [reply](InstallRunHarness& run, const std::string& path, const std::string&) {
        run.server.ServeBytes(path, reply, Fault::None, "application/json");
        return run.server.Url("");
    };
}

Serve InstallRunHarness::Refusing() {
    return [](InstallRunHarness&, const std::string&, const std::string&) {
        TestHttpServer gone;
        return gone.Url("");
    };
}

Serve InstallRunHarness::ClosingAtOnce() {
    return [](InstallRunHarness& run, const std::string&, const std::string&) { return run.silent.Url(""); };
}

Serve InstallRunHarness::Redirecting() {
    return [](InstallRunHarness& run, const std::string& path, const std::string& body) {
        run.server.ServeBytes(path + ".moved", body);
        const std::string target = run.server.Url(path + ".moved");
        run.server.Handle(path, [target](const httplib::Request&, httplib::Response& response) {
            response.set_redirect(target, 302);
        });
        return run.server.Url("");
    };
}

TmpfsMount::TmpfsMount(const std::filesystem::path& folder, const std::string& options) : folder(folder) {
    std::filesystem::create_directories(folder);
    mounted = RunShell("mount -t tmpfs -o " + ShellQuote(options) + " tmpfs " + ShellQuote(folder.string()) +
                       " 2>/dev/null");
}

TmpfsMount::~TmpfsMount() {
    // Lazily, so a file a failed step left open can't keep the mount behind.
    if (mounted) RunShell("umount -l " + ShellQuote(folder.string()));
}

}  // namespace larkholm::testing
