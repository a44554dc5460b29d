#include "service/InstallService.h"

#include <json/json.h>

#include <memory>
#include <utility>
#include <vector>

#include "service/UrlCoding.h"
#include "support/Config.h"
#include "support/DebugOutput.h"
#include "support/StringResolver.h"
#include "support/TextConvert.h"
#include "support/WizardMessages.h"

namespace {

constexpr std::int32_t kTimeoutMs = 5000;
constexpr std::int32_t kConnectTimeoutMs = 2000;
constexpr const char* kPasswordMask = "***";
// The service's replies are small (a manifest of ten thousand files is about 2 MB); a larger reply
// is broken or hostile and is refused before it can exhaust memory.
constexpr std::size_t kMaxReplyBytes = 4 * 1024 * 1024;

using Query = std::vector<std::pair<const char*, const std::string*>>;

enum class UrlUse { Request, DebugOutput };

// Base URL + path + "?k=v&k=v..." with every value encoded; empty values keep "k=". For the
// debugger output a non-empty password is replaced by a mask.
std::string RequestUrl(const std::string& path, const Query& query, UrlUse use) {
    std::string url = ServiceBaseUrl() + path;
    char separator = '?';
    for (const auto& [key, value] : query) {
        url += separator;
        url += key;
        url += '=';
        const bool masked =
            use == UrlUse::DebugOutput && std::string_view(key) == "password" && !value->empty();
        url += masked ? kPasswordMask : UrlEncode(*value);
        separator = '&';
    }
    return url;
}

// Reads a member the service may leave out: absent or null gives the default; any other type
// than the expected one is a malformed reply (false).
bool ReadInt(const Json::Value& object, const char* key, std::int32_t& out) {
    const Json::Value& value = object[key];
    if (value.isNull()) {
        out = 0;
        return true;
    }
    if (!value.isNumeric() || !value.isConvertibleTo(Json::intValue)) return false;
    out = value.asInt();
    return true;
}

bool ReadText(const Json::Value& object, const char* key, std::string& out) {
    const Json::Value& value = object[key];
    if (value.isNull()) {
        out.clear();
        return true;
    }
    if (!value.isString()) return false;
    out = value.asString();
    return true;
}

// True when `body` is a JSON object (comments allowed).
bool ParseObject(const std::string& body, Json::Value& root) {
    Json::CharReaderBuilder builder;
    builder["allowComments"] = true;
    // The service's replies are three levels deep. A body nested deeper than this is no reply of
    // it, and refusing it early keeps the parser's recursion short on the worker's stack.
    builder["stackLimit"] = 64;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        // Throws on nesting deeper than the reader's stack limit.
        return reader->parse(body.data(), body.data() + body.size(), &root, &errors) && root.isObject();
    } catch (const std::exception&) {
        return false;
    }
}

// The part both replies share: parse the body, take "retcode" and "retmsg". True when the
// service answered success; `reply` then holds the parsed object.
bool ReadServiceReply(InstallJob& job, const std::string& body, Json::Value& reply) {
    std::int32_t retcode = 0;
    std::string retmsg;
    if (!ParseObject(body, reply) || !ReadInt(reply, "retcode", retcode) ||
        !ReadText(reply, "retmsg", retmsg)) {
        job.error = kErrorServiceReply;
        return false;
    }
    job.retcode = retcode;
    job.retmsg = Utf8ToWide(retmsg);
    return retcode == 0;
}

// GETs the URL into `body`; false (error -1) when the transfer failed or the reply outgrew
// kMaxReplyBytes.
bool GetReplyBody(InstallJob& job, const std::string& url, const std::string& loggedUrl,
                  const CancelCheck& cancelled, std::string& body) {
    DebugOutput(loggedUrl + "\r\n");
    const CancelCheck stopOrOversized = [&] {
        return body.size() > kMaxReplyBytes || (cancelled && cancelled());
    };
    if (HttpGet(url, body, kTimeoutMs, kConnectTimeoutMs, stopOrOversized) == 0) return true;
    job.error = kErrorServiceReply;
    return false;
}

void ResetOutcome(InstallJob& job) {
    job.error = 0;
    job.retcode = 0;
    job.retmsg.clear();
}

}  // namespace

bool RequestInstall(InstallJob& job, const CancelCheck& cancelled) {
    ResetOutcome(job);
    std::string path;
    Query query;
    if (job.kind == kInstallKindSetup) {
        path = "/do/install/setup";
        query = {{"innerIp", &job.innerIp},           {"billSysType", &job.billSysType},
                 {"terminalType", &job.terminalType}, {"terminalShortcut", &job.terminalShortcut},
                 {"shopCode", &job.shopCode},         {"password", &job.password}};
    } else if (job.kind == kInstallKindMigration) {
        path = "/do/install/migration";
        query = {{"innerIp", &job.innerIp}, {"validCode", &job.validCode}};
    } else {
        return false;
    }

    std::string body;
    return GetReplyBody(job, RequestUrl(path, query, UrlUse::Request),
                        RequestUrl(path, query, UrlUse::DebugOutput), cancelled, body) &&
           ReadInstallReply(job, body);
}

bool ReadInstallReply(InstallJob& job, const std::string& body) {
    ResetOutcome(job);
    Json::Value reply;
    if (!ReadServiceReply(job, body, reply)) return false;
    job.installResult = {};
    const Json::Value& data = std::as_const(reply)["retdata"];
    InstallResult result;
    if (!data.isObject() || !ReadText(data, "downUrl", result.downUrl) ||
        !ReadInt(data, "shopId", result.shopId)) {
        job.error = kErrorServiceReply;
        return false;
    }
    job.installResult = std::move(result);
    return true;
}

bool FetchManifest(InstallJob& job, const CancelCheck& cancelled) {
    job.files.clear();
    ResetOutcome(job);
    const std::string& url = job.installResult.downUrl;
    if (url.empty()) {
        job.retcode = -1;
        job.retmsg = ResolveText(L"@string/msg_error_download_url_empty");
        return false;
    }

    std::string body;
    return GetReplyBody(job, url, url, cancelled, body) && ReadManifestReply(job, body);
}

bool ReadManifestReply(InstallJob& job, const std::string& body) {
    job.files.clear();
    ResetOutcome(job);
    Json::Value reply;
    if (!ReadServiceReply(job, body, reply)) return false;
    const Json::Value& data = std::as_const(reply)["retdata"];
    if (!data.isArray()) {
        job.error = kErrorServiceReply;
        return false;
    }
    std::vector<ManifestFile> files;
    for (const Json::Value& entry : data) {
        if (!entry.isObject()) continue;  // not a file entry: skipped, as the service expects
        ManifestFile file;
        if (!ReadText(entry, "downUrl", file.downUrl) || !ReadText(entry, "name", file.name) ||
            !ReadText(entry, "hash", file.hash)) {
            job.error = kErrorServiceReply;
            return false;
        }
        file.progress = ProgressTarget(job.notifyWindow, UM_DOWNLOAD_PROGRESS);
        files.push_back(std::move(file));
    }
    job.files = std::move(files);
    return true;
}
