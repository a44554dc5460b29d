#include "tools/demo-service/DemoService.h"

#include <json/writer.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <string_view>

namespace {

constexpr size_t kPieceSize = 64 * 1024;

// Result codes of the install service.
constexpr int kSuccess = 0;
constexpr int kMissingParameter = 1000;
constexpr int kUnknownShop = 1001;
constexpr int kWrongPassword = 1002;
constexpr int kWrongValidCode = 1003;
constexpr int kUnknownInstall = 1004;

const char* Message(int retcode) {
    switch (retcode) {
        case kSuccess:
            return "成功";
        case kMissingParameter:
            return "请求参数不完整";
        case kUnknownShop:
            return "酒店编号不存在";
        case kWrongPassword:
            return "酒店密码错误";
        case kWrongValidCode:
            return "短信验证码不正确";
        case kUnknownInstall:
            return "安装信息已失效，请重新安装";
        default:
            return "服务器内部错误";
    }
}

// Compact JSON with the UTF-8 text kept as it is (no \u escapes), as the service sends it.
void Reply(httplib::Response& response, int retcode, const Json::Value& retdata = Json::Value()) {
    Json::Value reply(Json::objectValue);
    reply["retcode"] = retcode;
    reply["retmsg"] = Message(retcode);
    if (!retdata.isNull()) reply["retdata"] = retdata;
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;
    response.set_content(Json::writeString(writer, reply), "application/json; charset=utf-8");
}

bool HasAll(const httplib::Request& request, std::initializer_list<const char*> keys) {
    return std::all_of(keys.begin(), keys.end(), [&](const char* key) { return request.has_param(key); });
}

// Routes are regular expressions; a file's path must match only itself.
std::string ExactPath(const std::string& path) {
    std::string pattern;
    for (const char c : path) {
        if (std::string_view(".^$|()[]{}*+?\\").find(c) != std::string_view::npos) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

}  // namespace

DemoService::DemoService(const DemoOptions& options, const DemoContent& content)
    : options(options), content(content) {
    using Handler = void (DemoService::*)(const httplib::Request&, httplib::Response&) const;
    auto route = [this](Handler handler) {
        return [this, handler](const httplib::Request& request, httplib::Response& response) {
            (this->*handler)(request, response);
        };
    };
    // The library's default also sets SO_REUSEPORT, which lets a second service share a port that is
    // already taken and split the requests with it; a taken port must fail to bind instead.
    server.set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    server.Get("/admin/do/install/setup", route(&DemoService::Setup));
    server.Get("/admin/do/install/migration", route(&DemoService::Migration));
    server.Get("/admin/do/install/manifest", route(&DemoService::Manifest));
    for (const auto* files : {&content.PackageFiles(), &content.SiteFiles()}) {
        for (const ServedFile& file : *files) {
            server.Get(ExactPath(file.urlPath),
                       [this, &file](const httplib::Request&, httplib::Response& response) {
                           Serve(file, response);
                       });
        }
    }
}

DemoService::~DemoService() {
    Stop();
}

void DemoService::LogRequestsTo(std::ostream& out) {
    server.set_logger([this, &out](const httplib::Request& request, const httplib::Response& response) {
        std::lock_guard lock(logMutex);
        out << request.method << ' ' << request.path << " -> " << response.status << std::endl;
    });
}

int DemoService::Start() {
    port = options.port == 0 ? server.bind_to_any_port("127.0.0.1")
                             : (server.bind_to_port("127.0.0.1", options.port) ? options.port : -1);
    if (port < 0) return -1;
    serverThread = std::thread([this] { server.listen_after_bind(); });
    // stop() does nothing until the accept loop runs, so only return once it does.
    while (!server.is_running()) std::this_thread::yield();
    return port;
}

void DemoService::Stop() {
    if (!serverThread.joinable()) return;
    server.stop();
    serverThread.join();
}

std::string DemoService::Origin() const {
    return "http://127.0.0.1:" + std::to_string(port);
}

void DemoService::Setup(const httplib::Request& request, httplib::Response& response) const {
    if (!HasAll(request,
                {"innerIp", "billSysType", "terminalType", "terminalShortcut", "shopCode", "password"}))
        return Reply(response, kMissingParameter);
    if (request.get_param_value("shopCode") != options.shopCode) return Reply(response, kUnknownShop);
    if (request.get_param_value("password") != options.password) return Reply(response, kWrongPassword);
    Accept(response);
}

void DemoService::Migration(const httplib::Request& request, httplib::Response& response) const {
    if (!HasAll(request, {"innerIp", "validCode"}) || request.get_param_value("innerIp").empty())
        return Reply(response, kMissingParameter);
    if (request.get_param_value("validCode") != options.validCode) return Reply(response, kWrongValidCode);
    Accept(response);
}

// A setup or a migration the service agrees to: the shop's id and where its manifest is.
void DemoService::Accept(httplib::Response& response) const {
    Json::Value retdata(Json::objectValue);
    retdata["downUrl"] = Origin() + "/admin/do/install/manifest?shopId=" + std::to_string(kShopId);
    retdata["shopId"] = kShopId;
    Reply(response, kSuccess, retdata);
}

void DemoService::Manifest(const httplib::Request& request, httplib::Response& response) const {
    if (request.get_param_value("shopId") != std::to_string(kShopId)) return Reply(response, kUnknownInstall);
    Json::Value files(Json::arrayValue);
    for (const ServedFile& file : content.PackageFiles()) {
        Json::Value entry(Json::objectValue);
        entry["downUrl"] = Origin() + file.urlPath;
        entry["name"] = file.name;
        entry["hash"] = file.md5;
        files.append(entry);
    }
    Reply(response, kSuccess, files);
}

// Streams the bytes in pieces, paced to options.rate when one is set, so the demo can show the
// progress page for a while. HEAD gets the length without the body.
void DemoService::Serve(const ServedFile& file, httplib::Response& response) const {
    const long long rate = options.rate;
    // A strong validator lets an interrupted download continue where it stopped.
    response.set_header("ETag", "\"" + file.md5 + "\"");
    response.set_content_provider(
        file.bytes.size(), file.contentType,
        [&file, rate](size_t offset, size_t length, httplib::DataSink& sink) {
            const size_t piece =
                std::min(length, rate > 0 ? std::clamp<size_t>(rate / 20, 1024, kPieceSize) : kPieceSize);
            if (!sink.write(file.bytes.data() + offset, piece)) return false;
            if (rate > 0) std::this_thread::sleep_for(std::chrono::microseconds(piece * 1000000 / rate));
            return true;
        });
}
