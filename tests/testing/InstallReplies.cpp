#include "tests/testing/InstallReplies.h"

#include <json/json.h>

namespace larkholm::testing {

namespace {

std::string Write(const Json::Value& reply) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["emitUTF8"] = true;  // names stay their UTF-8 bytes, as a service sends them
    return Json::writeString(writer, reply);
}

}  // namespace

std::string SetupReply(const std::string& manifestUrl, int shopId) {
    Json::Value reply;
    reply["retcode"] = 0;
    reply["retmsg"] = "ok";
    reply["retdata"]["downUrl"] = manifestUrl;
    reply["retdata"]["shopId"] = shopId;
    return Write(reply);
}

std::string ManifestReply(const std::vector<ManifestEntry>& entries) {
    Json::Value reply;
    reply["retcode"] = 0;
    reply["retmsg"] = "";
    reply["retdata"] = Json::Value(Json::arrayValue);
    for (const ManifestEntry& entry : entries) {
        Json::Value file;
        file["downUrl"] = entry.downUrl;
        file["name"] = entry.name;
        file["hash"] = entry.hash;
        reply["retdata"].append(file);
    }
    return Write(reply);
}

}  // namespace larkholm::testing
