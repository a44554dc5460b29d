#include "service/HttpClient.h"

#include <curl/curl.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

#include "service/Md5.h"
#include "service/ProxyOptions.h"
#include "service/ServerVerification.h"
#include "service/UrlCoding.h"
#include "support/DebugOutput.h"
#include "support/WindowMessages.h"
#include "support/platform/FileSystemPath.h"

namespace {

struct EasyCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct MimeFree {
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
};
using EasyHandle = std::unique_ptr<CURL, EasyCleanup>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListFree>;
using MimeForm = std::unique_ptr<curl_mime, MimeFree>;

// DownloadToFile gives up when less than one byte arrives per second for this long.
constexpr long kStallSeconds = 60;

// Performs the request set up on `curl` for `url`, the server's identity checked; a failure is logged.
CURLcode PerformChecked(CURL* curl, const std::string& url) {
    ServerVerification verification;
    verification.Apply(curl, url);
    return verification.Finish(curl_easy_perform(curl));
}

int AbortWhenCancelled(void* check, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return (*static_cast<const CancelCheck*>(check))() ? 1 : 0;
}

// What every request that returns a reply body sets: the URL, the reply into `reply` through
// AppendBody, and the time-outs that are given.
void SetReplyOptions(CURL* curl, const std::string& url, std::string& reply, std::int32_t timeoutMs,
                     std::int32_t connectTimeoutMs) {
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // time-outs must not raise signals in worker threads
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 0L);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    ApplyProxySettings(curl, url);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    if (timeoutMs > 0) curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, long(timeoutMs));
    if (connectTimeoutMs > 0) curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(connectTimeoutMs));
}

CURLcode PostBody(const std::string& url, const std::string& headerLine, const std::string& body,
                  std::string& reply, std::int32_t timeoutMs, std::int32_t connectTimeoutMs) {
    HeaderList headers(curl_slist_append(nullptr, headerLine.c_str()));
    EasyHandle curl(curl_easy_init());
    if (!curl || !headers) return CURLE_FAILED_INIT;
    SetReplyOptions(curl.get(), url, reply, timeoutMs, connectTimeoutMs);
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(body.size()));
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.c_str());
    return PerformChecked(curl.get(), url);
}

struct FileTransfer {
    ProgressTarget* target = nullptr;
    std::FILE* file = nullptr;
    std::uint64_t contentLength = 0;
    std::uint64_t received = 0;
};

// Header callback: remembers the length the reply declares.
std::size_t ReadContentLength(char* line, std::size_t size, std::size_t count, void* context) {
    const std::size_t length = size * count;
    constexpr std::string_view kName = "Content-Length:";
    std::string_view text(line, length);
    if (!text.starts_with(kName)) return length;
    text.remove_prefix(kName.size());
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    std::uint64_t value = 0;
    bool digits = false;
    for (; !text.empty() && text.front() >= '0' && text.front() <= '9'; text.remove_prefix(1)) {
        value = value * 10 + std::uint64_t(text.front() - '0');
        digits = true;
    }
    if (!digits) return length;
    auto* transfer = static_cast<FileTransfer*>(context);
    transfer->contentLength = value;
    if (transfer->target != nullptr) {
        transfer->target->total.store(std::int64_t(value), std::memory_order_relaxed);
    }
    return length;
}

// Write callback: stores the chunk and posts the progress. A short write aborts the transfer.
std::size_t WriteToFile(char* data, std::size_t size, std::size_t count, void* context) {
    auto* transfer = static_cast<FileTransfer*>(context);
    const std::size_t length = size * count;
    const std::size_t written = std::fwrite(data, 1, length, transfer->file);
    transfer->received += written;
    ProgressTarget* target = transfer->target;
    if (target != nullptr && target->window != nullptr && target->message != 0 &&
        transfer->contentLength != 0) {
        target->received.store(std::int64_t(transfer->received), std::memory_order_relaxed);
        target->total.store(std::int64_t(transfer->contentLength), std::memory_order_relaxed);
        // 64-bit arithmetic: received × 100 outgrows 32 bits from 43 MB on.
        PostToWindow(target->window, target->message,
                     WPARAM(transfer->received * 100 / transfer->contentLength), 0);
    }
    return written;
}

}  // namespace

int HttpStartup() {
    return int(curl_global_init(CURL_GLOBAL_ALL));
}

void HttpShutdown() {
    curl_global_cleanup();
}

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    DebugOutput(std::string(data, size * count) + "\r\n");
    return size * count;
}

std::int32_t HttpGet(const std::string& url, std::string& body, std::int32_t timeoutMs,
                     std::int32_t connectTimeoutMs, const CancelCheck& cancelled) {
    EasyHandle curl(curl_easy_init());
    if (!curl) return -1;
    SetReplyOptions(curl.get(), url, body, timeoutMs, connectTimeoutMs);
    if (cancelled) {
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFOFUNCTION, &AbortWhenCancelled);
        curl_easy_setopt(curl.get(), CURLOPT_XFERINFODATA, &cancelled);
        curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
    }
    return PerformChecked(curl.get(), url) == CURLE_OK ? 0 : -1;
}

bool PostForm(const std::string& url, const std::map<std::string, std::string>& fields, std::string& reply) {
    std::string body;
    for (const auto& [key, value] : fields) {
        if (!body.empty()) body += '&';
        body += key + '=' + UrlEncode(value);
    }
    return PostBody(url, "Data-MD5: " + Md5(body).HexDigest(), body, reply, 0, 0) == CURLE_OK;
}

std::int32_t PostJson(const std::string& url, const std::string& json, std::string& reply,
                      std::int32_t timeoutMs, std::int32_t connectTimeoutMs) {
    const CURLcode code = PostBody(url, "Content-Type:application/json;charset=UTF-8", json, reply, timeoutMs,
                                   connectTimeoutMs);
    return code == CURLE_OK ? 0 : -1;
}

std::int32_t PostFields(const std::string& url, const std::map<std::string, std::string>& fields,
                        std::string& reply) {
    if (fields.empty()) return -1;
    MimeForm form;  // declared first: freed only after the handle that uses it
    EasyHandle curl(curl_easy_init());
    if (!curl) return -1;
    form.reset(curl_mime_init(curl.get()));
    if (!form) return -1;
    for (const auto& [key, value] : fields) {
        curl_mimepart* part = curl_mime_addpart(form.get());
        if (part == nullptr || curl_mime_name(part, key.c_str()) != CURLE_OK ||
            curl_mime_data(part, value.data(), value.size()) != CURLE_OK) {
            return -1;
        }
    }
    SetReplyOptions(curl.get(), url, reply, 0, 0);
    curl_easy_setopt(curl.get(), CURLOPT_MIMEPOST, form.get());
    return PerformChecked(curl.get(), url) == CURLE_OK ? 0 : -1;
}

bool DownloadToFile(const std::string& url, const std::string& path, ProgressTarget* target) {
    std::error_code ignored;
    // Replace a file, never a folder: opening a folder for writing fails below.
    const std::filesystem::path file = PathFromUtf8(path);
    if (!std::filesystem::is_directory(file, ignored)) std::filesystem::remove(file, ignored);
    FileTransfer transfer;
    transfer.target = target;
    transfer.file = OpenCFile(path, "wb");
    if (transfer.file == nullptr) return false;
    EasyHandle curl(curl_easy_init());
    if (!curl) {
        std::fclose(transfer.file);
        return false;
    }
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_VERBOSE, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    ApplyProxySettings(curl.get(), url);
    // An error page is not the file that was asked for.
    curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &WriteToFile);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl.get(), CURLOPT_HEADERFUNCTION, &ReadContentLength);
    curl_easy_setopt(curl.get(), CURLOPT_HEADERDATA, &transfer);
    const CURLcode code = PerformChecked(curl.get(), url);
    const bool closed = std::fclose(transfer.file) == 0;
    return code == CURLE_OK && closed;
}
