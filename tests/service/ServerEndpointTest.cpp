#include <gtest/gtest.h>

#include <filesystem>

#include "service/ServerEndpoint.h"
#include "support/PathText.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/Module.h"
#include "tests/testing/TempDir.h"

namespace {

using larkholm::testing::TempDir;

TEST(ServerEndpointTest, ReadsTheServerSection) {
    const struct {
        const char* ini;
        const char* url;  // nullptr: no endpoint
    } cases[] = {
        {"[server]\nip=10.0.0.5\nport=8080\n", "http://10.0.0.5:8080"},
        {"[server]\r\nip=10.0.0.5\r\n", "http://10.0.0.5:80"},
        {"\xEF\xBB\xBF; endpoint\n[ Server ]\n IP = \"srv.local\" \nPort=81x\nport=99\n",
         "http://srv.local:81"},
        {"[other]\nip=1.2.3.4\n[server]\nport=81\n", nullptr},
        {"[server]\nip=\nport=81\n", nullptr},
        {"ip=1.2.3.4\n", nullptr},
        {"[server]\nip=h\nport=-5\n", "http://h:0"},
        {"[server]\nip=h\nport=\n", "http://h:80"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        std::string url = "unchanged";
        const bool found = ServerUrlFromIniFile(dir.WriteFile("server.ini", c.ini), url);
        EXPECT_EQ(found, c.url != nullptr) << c.ini;
        EXPECT_EQ(url, c.url != nullptr ? c.url : "unchanged") << c.ini;
    }

    std::string url;
    EXPECT_FALSE(ServerUrlFromIniFile(dir / "absent.ini", url));
    ASSERT_TRUE(
        ServerUrlFromIniFile(dir.WriteFile("long.ini", "[server]\nip=" + std::string(100, 'a')), url));
    EXPECT_EQ(url, "http://" + std::string(63, 'a') + ":80");
}

TEST(ServerEndpointTest, ReadsServerIniBesideTheExecutable) {
    std::wstring folder;
    ASSERT_EQ(ModuleDirectory(folder), 0u);
    const std::filesystem::path path = PathFromWide(JoinPath(folder, L"server.ini"));
    ASSERT_FALSE(std::filesystem::exists(path)) << "left over: " << path;
    std::string url;
    EXPECT_FALSE(ServerUrlFromIni(url));
    {
        TempDir scratch;
        std::filesystem::copy_file(scratch.WriteFile("server.ini", "[server]\nip=127.0.0.1\nport=18480\n"),
                                   path);
    }
    const bool found = ServerUrlFromIni(url);
    std::filesystem::remove(path);
    EXPECT_TRUE(found);
    EXPECT_EQ(url, "http://127.0.0.1:18480");
}

}  // namespace
