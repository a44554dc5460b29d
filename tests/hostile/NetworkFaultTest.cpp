// Network faults through a whole installation run: each row breaks one step (the setup request,
// the manifest, or the package file) in one way and checks the run's outcome code. Every run must
// end, report its failure in `error`, and leave no install directory behind unless it succeeded.
// The clock runs a thousand times as fast, so the ten attempts of a failing file take no time.
#include <filesystem>

#include "support/WizardMessages.h"
#include "tests/hostile/InstallRunHarness.h"
#include "tests/testing/InstallReplies.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::FastClock;
using larkholm::testing::Fault;
using larkholm::testing::MakePackage;
using larkholm::testing::ManifestEntry;
using larkholm::testing::ManifestReply;
using larkholm::testing::ReadFile;
using larkholm::testing::Step;

struct FaultCase {
    const char* what;
    Step step;
    larkholm::testing::Serve serve;
    std::int32_t error;  // the run's outcome; 0 means the package was installed
};

constexpr std::int32_t kPartialFile = 18;  // CURLE_PARTIAL_FILE

class NetworkFaultTest : public larkholm::testing::InstallRunHarness {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            MakePackage(scratch, scratch / "assist.zip", {{"assist/", ""}, {"assist/assist.exe", "MZ"}}));
        package = ReadFile(scratch / "assist.zip");
    }

    fs::path InstallDir() const { return scratch.Path() / "Apps"; }

    void ExpectOutcome(const FaultCase& c) {
        SCOPED_TRACE(c.what);
        fs::remove_all(InstallDir());
        ServeRun(package, c.step, c.serve);
        DownLoadThread worker;
        RunToEnd(worker, InstallDir());
        EXPECT_EQ(worker.error, c.error);
        EXPECT_EQ(worker.retcode, 0);
        if (c.error == 0) {
            EXPECT_EQ(ReadFile((InstallDir() / "assist/assist/assist.exe").string()), "MZ");
        } else {
            EXPECT_FALSE(fs::exists(InstallDir()));
        }
    }

    std::string package;
};

TEST_F(NetworkFaultTest, ServiceFaults) {
    const FaultCase cases[] = {
        {"connection refused", Step::Service, Refusing(), -1},
        {"closed at once", Step::Service, ClosingAtOnce(), -1},
        {"reset mid-body", Step::Service, Faulty(Fault::ResetMidBody), -1},
        {"chunked body without its last chunk", Step::Service, Faulty(Fault::ChunkedNoEnd), -1},
        {"404 with an HTML body", Step::Service, Faulty(Fault::Status404), -1},
        {"500 with an HTML body", Step::Service, Faulty(Fault::Status500), -1},
        {"body shorter than its length", Step::Service, Faulty(Fault::LongerLength), -1},
        {"body longer than its length", Step::Service, Faulty(Fault::LongerBody), 0},
        {"no Content-Length", Step::Service, Faulty(Fault::NoContentLength), 0},
        {"redirect", Step::Service, Redirecting(), -1},
        {"retcode of the wrong type", Step::Service, Replying(R"({"retcode":"0","retdata":{}})"), -1},
        {"retdata of the wrong type", Step::Service, Replying(R"({"retcode":0,"retdata":"x"})"), -1},
        {"downUrl of the wrong type", Step::Service, Replying(R"({"retcode":0,"retdata":{"downUrl":5}})"),
         -1},
        {"a top level that is no object", Step::Service, Replying(R"([{"retcode":0}])"), -1},
    };
    for (const FaultCase& c : cases) ExpectOutcome(c);
}

TEST_F(NetworkFaultTest, ManifestFaults) {
    const FaultCase cases[] = {
        {"closed at once", Step::Manifest, ClosingAtOnce(), -1},
        {"reset mid-body", Step::Manifest, Faulty(Fault::ResetMidBody), -1},
        {"chunked body without its last chunk", Step::Manifest, Faulty(Fault::ChunkedNoEnd), -1},
        {"500 with an HTML body", Step::Manifest, Faulty(Fault::Status500), -1},
        {"redirect", Step::Manifest, Redirecting(), -1},
        {"retdata of the wrong type", Step::Manifest, Replying(R"({"retdata":{"0":{}}})"), -1},
        {"name of the wrong type", Step::Manifest, Replying(R"({"retdata":[{"name":["assist.zip"]}]})"), -1},
    };
    for (const FaultCase& c : cases) ExpectOutcome(c);
}

TEST_F(NetworkFaultTest, PackageFileFaults) {
    const FaultCase cases[] = {
        {"connection refused", Step::File, Refusing(), -3},
        {"closed at once", Step::File, ClosingAtOnce(), -3},
        {"reset mid-body", Step::File, Faulty(Fault::ResetMidBody), -3},
        {"404 with an HTML body", Step::File, Faulty(Fault::Status404), -3},
        {"500 with an HTML body", Step::File, Faulty(Fault::Status500), -3},
        {"HEAD answers 404, GET works", Step::File, Faulty(Fault::HeadNotFound), 0},
        {"HEAD gives a wrong length, GET works", Step::File, Faulty(Fault::HeadWrongLength), 0},
        {"body longer than its length", Step::File, Faulty(Fault::LongerBody), 0},
        {"no Content-Length", Step::File, Faulty(Fault::NoContentLength), 0},
        {"redirect", Step::File, Redirecting(), -3},
    };
    for (const FaultCase& c : cases) ExpectOutcome(c);
}

// Every byte there is arrives, so the digest matches: the transfer's own error stands. That error
// is the last attempt's, which a transfer taken for stalled would turn into a time-out: at a
// thousandfold clock the stall limit is 60 ms, so these run at a pace where it lasts seconds.
TEST_F(NetworkFaultTest, PackageFileCutShortKeepsTheTransferError) {
    const FastClock calmer(larkholm::testing::kSpeedUpForTransfers);
    const FaultCase cases[] = {
        {"chunked body without its last chunk", Step::File, Faulty(Fault::ChunkedNoEnd), kPartialFile},
        {"body shorter than its length", Step::File, Faulty(Fault::LongerLength), kPartialFile},
    };
    for (const FaultCase& c : cases) ExpectOutcome(c);
}

// Thousands of entries are read in full: the one bad entry at the end rejects the manifest before
// anything is downloaded.
TEST_F(NetworkFaultTest, AManifestOfThousandsOfEntries) {
    std::vector<ManifestEntry> entries;
    for (int i = 0; i < 5000; ++i)
        entries.push_back({"f" + std::to_string(i) + ".bin", server.Url("/f/" + std::to_string(i)),
                           "0123456789abcdef0123456789abcdef"});
    entries.push_back({"last.bin", "http://127.0.0.1:9/x", ""});
    ExpectOutcome(
        {"5001 entries, the last without a hash", Step::Manifest, Replying(ManifestReply(entries)), -2});
    EXPECT_EQ(server.GetCount("/f/0"), 0);
}

// The service and manifest requests give up after their 5 s time-out.
TEST_F(NetworkFaultTest, StalledServiceTimesOut) {
    ExpectOutcome({"stalled setup reply", Step::Service, Faulty(Fault::Stall), -1});
}

TEST_F(NetworkFaultTest, StalledManifestTimesOut) {
    ExpectOutcome({"stalled manifest", Step::Manifest, Faulty(Fault::StallMidBody), -1});
}

}  // namespace
