#include "service/ServerEndpoint.h"

#include "service/IniFile.h"
#include "support/PathText.h"
#include "support/TextConvert.h"
#include "support/platform/Module.h"

namespace {

constexpr std::size_t kMaxAddress = 63;
constexpr std::size_t kMaxUrl = 255;
constexpr int kDefaultPort = 80;

}  // namespace

bool ServerUrlFromIni(std::string& url) {
    std::wstring folder;
    if (ModuleDirectory(folder) != 0) return false;
    return ServerUrlFromIniFile(JoinPath(WideToUtf8(folder), "server.ini"), url);
}

bool ServerUrlFromIniFile(const std::string& path, std::string& url) {
    const IniFile ini = IniFile::Load(path);
    const std::string ip = ini.ReadString("server", "ip", "", kMaxAddress);
    if (ip.empty()) return false;
    const int port = ini.ReadInt("server", "port", kDefaultPort);
    url = ("http://" + ip + ":" + std::to_string(port)).substr(0, kMaxUrl);
    return true;
}
