#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>

#include "service/InstallService.h"
#include "support/StringResolver.h"
#include "support/TextConvert.h"
#include "tests/testing/Environment.h"
#include "tests/testing/LogCapture.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using larkholm::testing::Fault;
using larkholm::testing::LogCapture;
using larkholm::testing::TestHttpServer;

constexpr const char* kSetupPath = "/admin/do/install/setup";
constexpr const char* kUrlEmptyText = "下载地址错误, 请联系系统管理员";

// Points the service base URL at the test server and records the debugger output.
class InstallServiceTest : public ::testing::Test {
protected:
    void SetUp() override { larkholm::testing::SetEnv("LARKHOLM_SERVICE_URL", server.Url("/admin").c_str()); }
    void TearDown() override { larkholm::testing::UnsetEnv("LARKHOLM_SERVICE_URL"); }

    static std::string ClosedPortUrl() {
        TestHttpServer gone;
        return gone.Url("/");
    }

    TestHttpServer server;
    LogCapture log;
};

// A reply the service may send and what the step then reports.
struct ReplyCase {
    const char* name;
    std::string body;
    bool result;
    int error, retcode;
    std::wstring retmsg;
    std::string downUrl = {};  // RequestInstall: installResult afterwards
    int shopId = 0;
};

void ExpectOutcome(bool result, const InstallJob& job, const ReplyCase& expected) {
    EXPECT_EQ(result, expected.result);
    EXPECT_EQ(job.error, expected.error);
    EXPECT_EQ(job.retcode, expected.retcode);
    EXPECT_EQ(job.retmsg, expected.retmsg);
}

TEST_F(InstallServiceTest, RequestUrlsAreExactAndTheLoggedOneHidesThePassword) {
    server.ServeJson(kSetupPath, R"({"retcode":0,"retdata":{}})");
    server.ServeJson("/admin/do/install/migration", R"({"retcode":0,"retdata":{}})");

    InstallJob setup;
    setup.shopCode = "A1";
    setup.password = "p w&d=/";
    ASSERT_TRUE(RequestInstall(setup));

    InstallJob full;
    full.innerIp = "192.168.1.2";
    full.billSysType = "1";
    full.terminalType = "a/b";
    full.terminalShortcut = "中";
    full.shopCode = "S~9";
    full.password = "x";
    full.validCode = "ignored for a setup";
    ASSERT_TRUE(RequestInstall(full));

    InstallJob migration;
    migration.kind = kInstallKindMigration;
    migration.innerIp = "192.168.0.10";
    migration.validCode = "AB 12";
    migration.password = "ignored for a migration";
    ASSERT_TRUE(RequestInstall(migration));

    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].target,
              "/admin/do/install/setup?innerIp=&billSysType=&terminalType=&terminalShortcut=&shopCode=A1"
              "&password=p+w%26d%3D%2F");
    EXPECT_EQ(requests[1].target,
              "/admin/do/install/setup?innerIp=192.168.1.2&billSysType=1&terminalType=a%2Fb"
              "&terminalShortcut=%E4%B8%AD&shopCode=S~9&password=x");
    EXPECT_EQ(requests[2].target, "/admin/do/install/migration?innerIp=192.168.0.10&validCode=AB+12");
    for (const auto& request : requests) EXPECT_EQ(request.method, "GET");

    const std::string logged = log.Text();
    EXPECT_NE(
        logged.find(server.Url("/admin/do/install/setup?innerIp=&billSysType=&terminalType=&terminalShortcut="
                               "&shopCode=A1&password=***\r\n")),
        std::string::npos)
        << logged;
    EXPECT_EQ(logged.find("p+w%26d"), std::string::npos);
    EXPECT_NE(logged.find("/admin/do/install/migration?innerIp=192.168.0.10&validCode=AB+12\r\n"),
              std::string::npos);

    InstallJob unknownKind;
    unknownKind.kind = 2;
    EXPECT_FALSE(RequestInstall(unknownKind));
    EXPECT_EQ(unknownKind.error, 0);
    EXPECT_EQ(server.Requests().size(), 3u);
}

// A successful reply with an extra member nested `depth` levels below the top object.
std::string Nested(int depth) {
    return R"({"retcode":0,"retmsg":"ok","retdata":{"downUrl":"u","shopId":1},"extra":)" +
           std::string(depth - 1, '[') + std::string(depth - 1, ']') + "}";
}

TEST_F(InstallServiceTest, RequestInstallReadsTheReply) {
    const std::string previousUrl = "previous";
    const ReplyCase cases[] = {
        {"success", R"({"retcode":0,"retmsg":"ok","retdata":{"downUrl":"http://h/m?a=%20","shopId":12}})",
         true, 0, 0, L"ok", "http://h/m?a=%20", 12},
        {"refused", R"({"retcode":5,"retmsg":"门店密码错误","retdata":{"downUrl":"x"}})", false, 0, 5,
         L"门店密码错误", previousUrl, 99},
        {"no retcode", R"({"retdata":{"downUrl":"u"}})", true, 0, 0, L"", "u", 0},
        {"nulls", R"({"retcode":null,"retmsg":null,"retdata":{"downUrl":null,"shopId":null}})", true, 0, 0,
         L"", "", 0},
        {"comments", "/* reply */ {\"retcode\": 0, // fine\n \"retdata\": {\"shopId\": 3}}", true, 0, 0, L"",
         "", 3},
        {"retdata array", R"({"retcode":0,"retmsg":"ok","retdata":[{"downUrl":"u"}]})", false, -1, 0, L"ok",
         "", 0},
        {"retdata absent", R"({"retcode":0,"retmsg":"ok"})", false, -1, 0, L"ok", "", 0},
        {"downUrl a number", R"({"retdata":{"downUrl":5,"shopId":1}})", false, -1, 0, L"", "", 0},
        {"shopId a string", R"({"retdata":{"downUrl":"u","shopId":"12"}})", false, -1, 0, L"", "", 0},
        {"not JSON", "<html><body>502 Bad Gateway</body></html>", false, -1, 0, L"", previousUrl, 99},
        {"top level array", R"([{"retcode":0}])", false, -1, 0, L"", previousUrl, 99},
        {"top level string", R"("ok")", false, -1, 0, L"", previousUrl, 99},
        {"retcode a string", R"({"retcode":"0","retdata":{}})", false, -1, 0, L"", previousUrl, 99},
        {"retcode a bool", R"({"retcode":false,"retdata":{}})", false, -1, 0, L"", previousUrl, 99},
        {"retcode too large", R"({"retcode":3000000000,"retdata":{}})", false, -1, 0, L"", previousUrl, 99},
        {"retmsg an object", R"({"retcode":1,"retmsg":{"text":"x"}})", false, -1, 0, L"", previousUrl, 99},
        {"nested too deep", std::string(100000, '['), false, -1, 0, L"", previousUrl, 99},
        // Replies are three levels deep; extra members may nest a little, never past 64 levels.
        {"extra member nested 60 deep", Nested(60), true, 0, 0, L"ok", "u", 1},
        {"extra member nested 70 deep", Nested(70), false, -1, 0, L"", previousUrl, 99},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.ServeJson(kSetupPath, c.body);
        InstallJob job;
        job.error = 7;
        job.retcode = 7;
        job.retmsg = L"stale";
        job.installResult = {previousUrl, 99};
        ExpectOutcome(RequestInstall(job), job, c);
        EXPECT_EQ(job.installResult.downUrl, c.downUrl);
        EXPECT_EQ(job.installResult.shopId, c.shopId);
    }
}

TEST_F(InstallServiceTest, RequestInstallFailsOnErrorPagesAndUnreachableOrSilentServices) {
    server.ServeStatus(kSetupPath, 404, "<html>Not Found</html>");
    InstallJob job;
    EXPECT_FALSE(RequestInstall(job));
    EXPECT_EQ(job.error, -1);

    larkholm::testing::SetEnv("LARKHOLM_SERVICE_URL", (ClosedPortUrl() + "admin").c_str());
    job.retmsg = L"stale";
    EXPECT_FALSE(RequestInstall(job));
    EXPECT_EQ(job.error, -1);
    EXPECT_EQ(job.retcode, 0);
    EXPECT_EQ(job.retmsg, L"");

    // Accepts the request and never sends the body: the 5 s time-out ends it.
    larkholm::testing::SetEnv("LARKHOLM_SERVICE_URL", server.Url("/admin").c_str());
    server.ServeBytes(kSetupPath, R"({"retcode":0,"retdata":{}})", Fault::Stall);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(RequestInstall(job));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(job.error, -1);
    EXPECT_GE(elapsed, std::chrono::milliseconds(4900));
    EXPECT_LT(elapsed, std::chrono::seconds(15));
}

TEST_F(InstallServiceTest, FetchManifestReadsTheFilesInOrder) {
    server.ServeJson(kSetupPath,
                     R"({"retcode":0,"retdata":{"downUrl":")" + server.Url("/m.json") + R"(","shopId":4}})");
    server.ServeJson("/m.json", R"({"retcode":0,"retmsg":"ok","retdata":[
        1, "text", null, [],
        {"downUrl":"http://h/a%20b.zip","name":"assist.zip","hash":"0123456789abcdef0123456789abcdef"},
        {"downUrl":"http://h/资料","name":"资料.zip","extra":true},
        {"downUrl":"http://h/again","name":"assist.zip","hash":"h2"}]})");
    const HWND window = reinterpret_cast<HWND>(0x1234);
    InstallJob job;
    job.notifyWindow = window;
    job.files.resize(5);
    ASSERT_TRUE(RequestInstall(job));
    ASSERT_TRUE(FetchManifest(job));
    EXPECT_EQ(job.error, 0);
    EXPECT_EQ(job.retmsg, L"ok");
    const struct {
        std::string downUrl, name, hash;
    } expected[] = {
        {"http://h/a%20b.zip", "assist.zip", "0123456789abcdef0123456789abcdef"},
        {"http://h/资料", "资料.zip", ""},
        {"http://h/again", "assist.zip", "h2"},
    };
    ASSERT_EQ(job.files.size(), std::size(expected));
    for (std::size_t i = 0; i < job.files.size(); ++i) {
        const ManifestFile& file = job.files[i];
        EXPECT_EQ(file.downUrl, expected[i].downUrl) << i;
        EXPECT_EQ(file.name, expected[i].name) << i;
        EXPECT_EQ(file.hash, expected[i].hash) << i;
        EXPECT_EQ(file.progress.window, window) << i;
        EXPECT_EQ(file.progress.message, 9026u) << i;
        EXPECT_EQ(file.progress.total + file.progress.received + file.extractTotal + file.extractDone, 0)
            << i;
    }
    EXPECT_NE(log.Text().find(server.Url("/m.json") + "\r\n"), std::string::npos);
}

TEST_F(InstallServiceTest, FetchManifestFailures) {
    const ReplyCase cases[] = {
        {"empty list", R"({"retcode":0,"retdata":[]})", true, 0, 0, L""},
        {"refused", R"({"retcode":7,"retmsg":"清单不存在"})", false, 0, 7, L"清单不存在"},
        {"retdata an object", R"({"retcode":0,"retmsg":"ok","retdata":{"downUrl":"u"}})", false, -1, 0,
         L"ok"},
        {"retdata absent", R"({"retcode":0})", false, -1, 0, L""},
        {"name an array", R"({"retdata":[{"downUrl":"u","name":["a"],"hash":"h"}]})", false, -1, 0, L""},
        {"hash a number", R"({"retdata":[{"downUrl":"u","name":"a","hash":12}]})", false, -1, 0, L""},
        {"not JSON", "retcode=0", false, -1, 0, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        server.ServeJson("/m.json", c.body);
        InstallJob job;
        job.installResult.downUrl = server.Url("/m.json");
        job.files.resize(2);
        job.error = 9;
        ExpectOutcome(FetchManifest(job), job, c);
        EXPECT_TRUE(job.files.empty());
    }

    InstallJob unreachable;
    unreachable.installResult.downUrl = ClosedPortUrl();
    EXPECT_FALSE(FetchManifest(unreachable));
    EXPECT_EQ(unreachable.error, -1);
}

TEST_F(InstallServiceTest, EmptyManifestUrlMakesNoRequestAndReportsTheResolvedText) {
    SetStringResolver([](const std::wstring& text) {
        return text == L"@string/msg_error_download_url_empty" ? Utf8ToWide(kUrlEmptyText) : std::wstring();
    });
    server.ServeJson(kSetupPath, R"({"retcode":0,"retmsg":"ok","retdata":{"shopId":3}})");
    InstallJob job;
    ASSERT_TRUE(RequestInstall(job));
    EXPECT_FALSE(FetchManifest(job));
    SetStringResolver({});
    EXPECT_EQ(job.error, 0);
    EXPECT_EQ(job.retcode, -1);
    EXPECT_EQ(job.retmsg, Utf8ToWide(kUrlEmptyText));
    EXPECT_EQ(server.Requests().size(), 1u);
}

}  // namespace
