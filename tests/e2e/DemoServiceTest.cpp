#include <gtest/gtest.h>
#include <httplib.h>
#include <json/reader.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "install/ExtractPackage.h"
#include "support/platform/WindowsView.h"
#include "tests/testing/TempDir.h"
#include "tests/testing/TempWinePrefix.h"
#include "tools/demo-service/DemoService.h"

namespace {

namespace fs = std::filesystem;
using larkholm::testing::ReadFile;
using larkholm::testing::TempDir;
using larkholm::testing::TempWinePrefix;

std::string Shell(const std::string& command, int& status) {
    TempDir dir;
    status = std::system((command + " > '" + (dir / "out") + "' 2>&1").c_str());
    return ReadFile(dir / "out");
}

std::string Md5OfFile(const std::string& path) {
    int status = 0;
    return Shell("md5sum '" + path + "'", status).substr(0, 32);
}

class DemoServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        options.port = 0;
        // Characters the wizard must percent-encode, so a pass shows the service decodes them.
        options.password = "演示 p&w=1/2";
        std::string error;
        ASSERT_TRUE(content.Load(options.packageDir, options.siteDir, error)) << error;
        service = std::make_unique<DemoService>(options, content);
        ASSERT_GT(service->Start(), 0);
        client = std::make_unique<httplib::Client>(service->Origin());
        client->set_url_encode(false);  // targets go out exactly as written, as the wizard sends them
    }

    std::string Get(const std::string& target, int expectedStatus = 200) {
        const auto result = client->Get(target);
        if (!result) return "(no reply)";
        EXPECT_EQ(result->status, expectedStatus) << target;
        return result->body;
    }

    DemoOptions options;
    DemoContent content;
    std::unique_ptr<DemoService> service;
    std::unique_ptr<httplib::Client> client;
};

TEST_F(DemoServiceTest, AnswersSetupAndMigrationLikeTheInstallService) {
    const std::string setup = "/admin/do/install/setup?innerIp=&billSysType=&terminalType=&terminalShortcut=";
    const std::string accepted =
        R"({"retcode":0,"retdata":{"downUrl":")" + service->Origin() +
        R"(/admin/do/install/manifest?shopId=30581","shopId":30581},"retmsg":"成功"})";
    const struct {
        std::string target;
        std::string reply;
    } cases[] = {
        {setup + "&shopCode=8001&password=%E6%BC%94%E7%A4%BA+p%26w%3D1%2F2", accepted},
        {setup + "&shopCode=8001&password=%E6%BC%94%E7%A4%BA+p%26w%3D1",
         R"({"retcode":1002,"retmsg":"酒店密码错误"})"},
        {setup + "&shopCode=8001&password=", R"({"retcode":1002,"retmsg":"酒店密码错误"})"},
        {setup + "&shopCode=8002&password=%E6%BC%94%E7%A4%BA+p%26w%3D1%2F2",
         R"({"retcode":1001,"retmsg":"酒店编号不存在"})"},
        {setup + "&shopCode=8001", R"({"retcode":1000,"retmsg":"请求参数不完整"})"},
        {"/admin/do/install/migration?innerIp=192.168.1.10&validCode=246810", accepted},
        {"/admin/do/install/migration?innerIp=192.168.1.10&validCode=246811",
         R"({"retcode":1003,"retmsg":"短信验证码不正确"})"},
        {"/admin/do/install/migration?innerIp=&validCode=246810",
         R"({"retcode":1000,"retmsg":"请求参数不完整"})"},
        {"/admin/do/install/manifest?shopId=30582",
         R"({"retcode":1004,"retmsg":"安装信息已失效，请重新安装"})"},
    };
    for (const auto& c : cases) EXPECT_EQ(Get(c.target), c.reply) << c.target;
}

TEST_F(DemoServiceTest, ManifestDigestsAndSizesMatchTheServedFiles) {
    Json::Value manifest;
    std::string errors;
    const std::string body = Get("/admin/do/install/manifest?shopId=30581");
    std::istringstream in(body);
    ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &manifest, &errors)) << body;
    ASSERT_EQ(manifest["retcode"].asInt(), 0);
    const Json::Value& files = manifest["retdata"];
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0]["name"].asString(), "assist.zip");
    EXPECT_EQ(files[1]["name"].asString(), "version.ini");

    TempDir dir;
    for (const Json::Value& file : files) {
        const std::string url = file["downUrl"].asString();
        ASSERT_EQ(url.rfind(service->Origin(), 0), 0u) << url;
        const std::string path = url.substr(service->Origin().size());
        const std::string bytes = Get(path);
        const std::string saved = dir.WriteFile(file["name"].asString(), bytes);
        EXPECT_EQ(Md5OfFile(saved), file["hash"].asString()) << path;

        const auto head = client->Head(path);
        ASSERT_TRUE(head);
        EXPECT_EQ(head->get_header_value("Content-Length"), std::to_string(bytes.size())) << path;
        EXPECT_TRUE(head->body.empty());

        // An interrupted download continues: the file carries its digest as a strong validator
        // and a range from the middle gives the rest of the bytes.
        EXPECT_EQ(head->get_header_value("ETag"), "\"" + file["hash"].asString() + "\"") << path;
        const auto rest = client->Get(path, {{"Range", "bytes=" + std::to_string(bytes.size() / 2) + "-"}});
        ASSERT_TRUE(rest);
        EXPECT_EQ(rest->status, 206) << path;
        EXPECT_EQ(rest->body, bytes.substr(bytes.size() / 2)) << path;
    }
    EXPECT_EQ(ReadFile(dir / "version.ini"),
              ReadFile(LARKHOLM_SOURCE_DIR "/tools/demo-service/package/version.ini"));
}

TEST_F(DemoServiceTest, PackageUnzipsWithTheArchivePasswordIntoTheCommittedTree) {
    TempDir dir;
    const std::string archive = dir.WriteFile("assist.zip", Get("/package/assist.zip"));
    int status = 0;
    const std::string wrong = Shell("unzip -P wrong -d '" + (dir / "wrong") + "' '" + archive + "'", status);
    EXPECT_NE(status, 0) << wrong;
    const std::string log = Shell(
        "unzip -P " + std::string(kPackagePassword) + " -d '" + (dir / "assist") + "' '" + archive + "'",
        status);
    ASSERT_EQ(status, 0) << log;

    // Every committed file arrives unchanged; the build adds an empty folder and generated bulk.
    const fs::path committed = LARKHOLM_SOURCE_DIR "/tools/demo-service/package/assist";
    for (const auto& entry : fs::recursive_directory_iterator(committed)) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), committed);
        EXPECT_EQ(ReadFile(dir / ("assist/" + relative.string())), ReadFile(entry.path().string()))
            << relative;
    }
    EXPECT_EQ(fs::file_size(dir / "assist/data/cache.db"), 0u);
    EXPECT_TRUE(fs::is_empty(dir / "assist/logs"));
    EXPECT_GT(fs::file_size(dir / "assist/lib/dictionary.txt"), 1000000u);
    EXPECT_EQ(fs::file_size(dir / "assist/data/catalog.dat"), 256u * 1024);

    // Every file item is encrypted, not just some.
    const std::string check = Shell(
        "python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
        "sys.exit(any(not i.flag_bits & 1 for i in z.infolist() if not i.is_dir()))' '" +
            archive + "'",
        status);
    EXPECT_EQ(status, 0) << check;
}

TEST_F(DemoServiceTest, ComponentInstallersMakeTheComponentsDetectable) {
    TempWinePrefix prefix;
    TempDir dir;
    const std::string wic = dir.WriteFile("wic_x86_chs.exe", Get("/software/wic_x86_chs.exe"));
    const std::string dotNet = dir.WriteFile("dotNetFx40_Full_x86_x64.exe",
                                             Get("/supplier/website/package/dotNetFx40_Full_x86_x64.exe"));
    prefix.SetDotNetVersion("3.5.30729");  // an older release the installer must replace

    int status = 0;
    for (const std::string& installer : {wic, dotNet, dotNet}) {
        const std::string log = Shell("sh '" + installer + "'", status);
        EXPECT_EQ(status, 0) << log;
    }
    EXPECT_TRUE(fs::exists(MapWindowsPath("c:\\windows\\system32\\WindowsCodecs.dll")));
    const std::wstring key = L"SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client";
    EXPECT_EQ(ReadHklmString(key, L"Version"), L"4.0.30319");
    const std::string registry = ReadFile(prefix.Root() + "/system.reg");
    EXPECT_EQ(registry.find("v4\\\\Client]"), registry.rfind("v4\\\\Client]")) << registry;
}

TEST_F(DemoServiceTest, ServesTheAgreementPageAndNothingElse) {
    const auto page = client->Get("/shop/resources/html/procotal.html");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(page->body.find("《Larkholm用户使用协议》"), std::string::npos);

    for (const char* target : {"/", "/package/assistXzip", "/package/", "/admin/do/install/other",
                               "/software/../package/assist.zip"}) {
        Get(target, 404);
    }
}

TEST_F(DemoServiceTest, ATakenPortIsRefusedNotShared) {
    DemoOptions sameport = options;
    sameport.port = std::stoi(service->Origin().substr(service->Origin().rfind(':') + 1));
    DemoService second(sameport, content);
    EXPECT_EQ(second.Start(), -1);
}

TEST(DemoOptionsTest, ParsesEveryOptionAndRefusesBadInput) {
    DemoOptions options;
    std::string error;
    ASSERT_TRUE(ParseDemoOptions({"--port", "0", "--shop-code", "A1", "--password", "p w", "--rate", "65536",
                                  "--port-file", "/tmp/port"},
                                 options, error))
        << error;
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.shopCode, "A1");
    EXPECT_EQ(options.password, "p w");
    EXPECT_EQ(options.rate, 65536);
    EXPECT_EQ(options.portFile, "/tmp/port");

    const std::vector<std::vector<std::string>> refused = {
        {"--port", "65536"}, {"--port", "-1"},    {"--port", "12a"}, {"--port"},
        {"--rate", ""},      {"--shop-code", ""}, {"--verbose"},
    };
    for (const auto& args : refused) {
        DemoOptions untouched;
        EXPECT_FALSE(ParseDemoOptions(args, untouched, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
