#include <gtest/gtest.h>

#include <atomic>

#include "service/HttpClient.h"
#include "service/Md5.h"
#include "tests/testing/RecordingWindow.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TestHttpServer.h"

namespace {

using larkholm::testing::Fault;
using larkholm::testing::ReadFile;
using larkholm::testing::RecordingWindow;
using larkholm::testing::TempDir;
using larkholm::testing::TestHttpServer;

class HttpClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(HttpStartup(), 0); }
    static void TearDownTestSuite() { HttpShutdown(); }

    std::string Header(const larkholm::testing::RecordedRequest& request, const std::string& name) {
        const auto it = request.headers.find(name);
        return it == request.headers.end() ? std::string() : it->second;
    }

    TestHttpServer server;
};

TEST_F(HttpClientTest, GetAppendsTheBodyWhateverTheStatusAndFailsWhenUnreachable) {
    server.ServeBytes("/bytes", std::string("a\0b", 3));
    server.ServeStatus("/broken", 500, "<html>oops</html>");
    std::string body = "kept:";
    EXPECT_EQ(HttpGet(server.Url("/bytes"), body, 0, 0), 0);
    EXPECT_EQ(body, std::string("kept:a\0b", 8));  // a zero byte does not cut the reply short

    body.clear();
    EXPECT_EQ(HttpGet(server.Url("/broken"), body, 5000, 2000), 0);
    EXPECT_EQ(body, "<html>oops</html>");

    int closedPort;
    {
        TestHttpServer gone;
        closedPort = gone.Port();
    }
    body.clear();
    EXPECT_EQ(HttpGet("http://127.0.0.1:" + std::to_string(closedPort) + "/", body, 5000, 2000), -1);
    EXPECT_EQ(HttpGet("not a url", body, 0, 0), -1);
}

TEST_F(HttpClientTest, CancelledGetEndsAStalledTransfer) {
    server.ServeBytes("/stall", "{}", Fault::Stall);
    std::atomic<int> polls = 0;
    std::string body;
    // No time-out: only the cancel check can end it.
    EXPECT_EQ(HttpGet(server.Url("/stall"), body, 0, 0, [&] { return ++polls > 1; }), -1);
}

TEST_F(HttpClientTest, PostFormSendsTheEncodedBodyAndItsDigest) {
    server.ServeJson("/form", R"({"ok":1})");
    std::string reply;
    ASSERT_TRUE(PostForm(server.Url("/form"), {{"b", "2"}, {"a", "x y"}}, reply));
    EXPECT_EQ(reply, R"({"ok":1})");
    const auto request = server.Requests().back();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.body, "a=x+y&b=2");
    EXPECT_EQ(Header(request, "Data-MD5"), Md5("a=x+y&b=2").HexDigest());
    EXPECT_EQ(Header(request, "Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(HttpClientTest, PostJsonSendsJsonWithItsContentType) {
    server.ServeJson("/json", R"({"ok":2})");
    std::string reply;
    EXPECT_EQ(PostJson(server.Url("/json"), R"({"k":"v"})", reply, 5000, 2000), 0);
    EXPECT_EQ(reply, R"({"ok":2})");
    const auto request = server.Requests().back();
    EXPECT_EQ(request.body, R"({"k":"v"})");
    EXPECT_EQ(Header(request, "Content-Type"), "application/json;charset=UTF-8");
}

TEST_F(HttpClientTest, PostFieldsSendsAMultipartForm) {
    std::string received;
    server.Handle("/fields", [&](const httplib::Request& request, httplib::Response& response) {
        for (const auto& [name, file] : request.files) received += name + "=" + file.content + ";";
        response.set_content("done", "text/plain");
    });
    std::string reply;
    EXPECT_EQ(PostFields(server.Url("/fields"), {{"name", "值 1"}, {"id", "7"}}, reply), 0);
    EXPECT_EQ(reply, "done");
    EXPECT_EQ(received, "id=7;name=值 1;");
    EXPECT_TRUE(
        Header(server.Requests().back(), "Content-Type").starts_with("multipart/form-data; boundary="));

    EXPECT_EQ(PostFields(server.Url("/fields"), {}, reply), -1);
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(HttpClientTest, DownloadToFilePostsProgressOnlyWhenTheLengthIsKnown) {
    TempDir dir;
    // Past 43 MB, where received × 100 no longer fits 32 bits.
    std::string content(45'000'000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = char(i % 251);
    server.ServeBytes("/sized", content);
    server.ServeBytes("/chunked", content, Fault::NoContentLength);

    RecordingWindow window;
    ProgressTarget target(window.handle, 9026);
    const std::string path = dir.WriteFile("out.bin", "old content that is longer than nothing");
    ASSERT_TRUE(DownloadToFile(server.Url("/sized"), path, &target));
    EXPECT_EQ(ReadFile(path), content);
    const auto posts = window.Posts();
    ASSERT_FALSE(posts.empty());
    EXPECT_EQ(posts.back().message, UINT(9026));
    EXPECT_EQ(posts.back().wParam, WPARAM(100));
    for (std::size_t i = 1; i < posts.size(); ++i) ASSERT_LE(posts[i - 1].wParam, posts[i].wParam) << i;
    EXPECT_EQ(target.total, std::int32_t(content.size()));
    EXPECT_EQ(target.received, std::int32_t(content.size()));

    ProgressTarget unsized(window.handle, 9026);
    ASSERT_TRUE(DownloadToFile(server.Url("/chunked"), path, &unsized));
    EXPECT_EQ(ReadFile(path), content);
    EXPECT_EQ(window.Posts().size(), posts.size());
    EXPECT_EQ(unsized.total, 0);

    ASSERT_TRUE(DownloadToFile(server.Url("/sized"), dir / "untracked.bin", nullptr));
    EXPECT_EQ(ReadFile(dir / "untracked.bin"), content);
}

TEST_F(HttpClientTest, DownloadToFileFailsOnErrorPagesAndUnwritablePaths) {
    TempDir dir;
    server.ServeBytes("/cut", std::string(100000, 'x'), Fault::ResetMidBody);
    EXPECT_FALSE(DownloadToFile(server.Url("/missing"), dir / "missing.bin", nullptr));
    EXPECT_FALSE(DownloadToFile(server.Url("/cut"), dir / "cut.bin", nullptr));
    EXPECT_FALSE(DownloadToFile(server.Url("/cut"), dir.Path().string(), nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
    EXPECT_FALSE(DownloadToFile(server.Url("/cut"), dir / "no/such/folder/file", nullptr));
}

}  // namespace
