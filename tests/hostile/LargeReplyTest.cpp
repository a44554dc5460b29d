// Replies far larger than the install service ever sends: they must cost neither unbounded memory
// nor debugger output that grows faster than the reply.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <string>

#include "service/HttpClient.h"
#include "service/InstallService.h"
#include "support/DebugOutput.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using larkholm::testing::TestHttpServer;

class LargeReplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LARKHOLM_SERVICE_URL", server.Url("/admin").c_str(), 1);
        SetDebugOutputObserver([this](std::string_view text) { output += text.size(); });
    }
    void TearDown() override {
        SetDebugOutputObserver({});
        ::unsetenv("LARKHOLM_SERVICE_URL");
    }

    TestHttpServer server;
    std::atomic<std::size_t> output{0};
};

TEST_F(LargeReplyTest, TheDebuggerOutputGrowsWithTheReplyNotItsSquare) {
    const std::string reply(1024 * 1024, 'r');
    server.ServeBytes("/big", reply);
    std::string body;
    ASSERT_EQ(HttpGet(server.Url("/big"), body, 5000, 2000), 0);
    EXPECT_EQ(body, reply);
    EXPECT_LT(output.load(), 2 * reply.size());
}

TEST_F(LargeReplyTest, FiftyMegabyteRepliesAreRefused) {
    const std::string padding(50 * 1024 * 1024, 'a');
    server.ServeJson("/admin/do/install/setup",
                     R"({"retcode":0,"retmsg":")" + padding + R"(","retdata":{}})");
    server.ServeJson("/manifest", R"({"retcode":0,"retmsg":")" + padding + R"(","retdata":[]})");

    InstallJob job;
    EXPECT_FALSE(RequestInstall(job));
    EXPECT_EQ(job.error, -1);
    EXPECT_EQ(job.retcode, 0);

    job.installResult.downUrl = server.Url("/manifest");
    EXPECT_FALSE(FetchManifest(job));
    EXPECT_EQ(job.error, -1);
    EXPECT_EQ(job.retcode, 0);
    EXPECT_LT(output.load(), padding.size());
}

}  // namespace
