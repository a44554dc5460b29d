// What the hostile run tests share: a whole installation run against a loopback install service
// in which one step (the setup request, the manifest, or the package file) may be served wrong,
// a Wine-shaped prefix for the download folder, and a clock a thousand times as fast, so the ten
// attempts of a failing file take no time. Also tmpfs mounts for disk faults.
//
// At that pace a transfer is taken for stalled after 60 ms of real time without progress. The
// outcomes checked at this pace do not hang on it (a stalled attempt is retried, or fails its
// digest as the fault does); a test whose outcome would runs a calmer FastClock of its own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "download/DownLoadThread.h"
#include "tests/install/InstallRunFixtures.h"
#include "tests/testing/FastClock.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/SilentServer.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempWinePrefix.h"
#include "tests/testing/TestHttpServer.h"

namespace larkholm::testing {

class InstallRunHarness;

// Serves `body` (the right reply) at `path` in some way and returns the origin
// ("http://127.0.0.1:<port>") the client is to ask for it.
using Serve =
    std::function<std::string(InstallRunHarness&, const std::string& path, const std::string& body)>;

enum class Step { Service, Manifest, File };

class InstallRunHarness : public ::testing::Test {
protected:
    ~InstallRunHarness() override;

    // The right replies of the three steps, the package being `package`, with `faulty` serving
    // the one of `step`.
    void ServeRun(const std::string& package, Step step = Step::File, const Serve& faulty = Healthy());

    // Runs an installation into `installDir` to its end as the window sees it: UM_INSTALL_FINISHED,
    // then `running` drops.
    void RunToEnd(DownLoadThread& worker, const std::filesystem::path& installDir);

    std::filesystem::path DownloadDir() const;

    static Serve Healthy();
    static Serve Faulty(Fault fault);
    static Serve Replying(std::string reply);  // any reply in place of the right one
    static Serve Refusing();                   // nothing listens
    static Serve ClosingAtOnce();              // connects, then closes without a byte
    static Serve Redirecting();                // a redirect to the right reply, never followed

    FastClock fastClock{1000};
    TempWinePrefix prefix;
    TempDir scratch;
    TestHttpServer server;
    SilentServer silent;
    LogCapture log;
};

// A tmpfs of its own on `folder` for one test, unmounted when the object goes. Mounting needs
// root; Mounted() tells whether it worked.
class TmpfsMount {
public:
    TmpfsMount(const std::filesystem::path& folder, const std::string& options);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool Mounted() const { return mounted; }

private:
    std::filesystem::path folder;
    bool mounted = false;
};

}  // namespace larkholm::testing
