#include "service/ServerVerification.h"

#include <curl/curl.h>

#include <memory>

#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/platform/ServerTrust.h"

namespace {

struct UrlFree {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

// The URL's scheme and host (without the brackets of an IPv6 address); empty when it has none.
void SchemeAndHost(const std::string& url, std::string& scheme, std::string& host) {
    const std::unique_ptr<CURLU, UrlFree> parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return;
    char* part = nullptr;
    if (curl_url_get(parsed.get(), CURLUPART_SCHEME, &part, 0) == CURLUE_OK) scheme = part;
    curl_free(part);
    part = nullptr;
    if (curl_url_get(parsed.get(), CURLUPART_HOST, &part, 0) == CURLUE_OK) host = part;
    curl_free(part);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
}

}  // namespace

void ServerVerification::Apply(CURL* handle, const std::string& url) {
    curl = handle;
    refusal.clear();
    errorText[0] = '\0';
    std::string scheme;
    host.clear();
    SchemeAndHost(url, scheme, host);
    secure = scheme == "https";
    // libcurl's defaults, stated so that no earlier use of a reused handle can have loosened them.
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    const AuthorityFiles named = NamedAuthorityFiles();
    if (!named.bundle.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, named.bundle.c_str());
    if (!named.folder.empty()) curl_easy_setopt(curl, CURLOPT_CAPATH, named.folder.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, &ServerVerification::CheckServer);
    curl_easy_setopt(curl, CURLOPT_PREREQDATA, this);
}

// Called by libcurl once the connection (and its TLS handshake) is made, before the request is sent.
int ServerVerification::CheckServer(void* context, char*, char*, int, int) {
    auto* self = static_cast<ServerVerification*>(context);
    curl_tlssessioninfo* session = nullptr;
    const bool haveSession = curl_easy_getinfo(self->curl, CURLINFO_TLS_SSL_PTR, &session) == CURLE_OK &&
                             session != nullptr && session->backend != CURLSSLBACKEND_NONE &&
                             session->internals != nullptr;
    if (!haveSession) {
        if (!self->secure) return CURL_PREREQFUNC_OK;
        self->refusal = "the https connection has no TLS session to check";
        return CURL_PREREQFUNC_ABORT;
    }
    return ServerCertificateTrusted(session->internals, self->host, self->refusal) ? CURL_PREREQFUNC_OK
                                                                                   : CURL_PREREQFUNC_ABORT;
}

CURLcode ServerVerification::Finish(CURLcode performed, FailureLog log) {
    CURLcode result = performed;
    std::string detail = errorText;
    if (result == CURLE_ABORTED_BY_CALLBACK && !refusal.empty()) {
        result = CURLE_PEER_FAILED_VERIFICATION;
        detail = refusal;
    }
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, nullptr);
    curl_easy_setopt(curl, CURLOPT_PREREQDATA, nullptr);
    if (result != CURLE_OK && result != CURLE_ABORTED_BY_CALLBACK && log == FailureLog::Write) {
        Log(WideFormat(L"Transfer failed: host %ls, curl error %d (%ls): %ls", Utf8ToWide(host).c_str(),
                       int(result), Utf8ToWide(curl_easy_strerror(result)).c_str(),
                       Utf8ToWide(detail).c_str()));
    }
    return result;
}
