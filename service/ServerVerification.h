// The check of the server's identity on a request, and the log line of a request that failed.
//
// libcurl verifies an https server's certificate chain and host name by default, and no request of
// the program turns that off or follows a redirect (to http or anywhere else). What this adds, per
// transfer (support/platform/ServerTrust.h says what each platform trusts):
// - the certificate authorities an operator names in the environment (Linux);
// - a check of the server's certificate once the handshake is done and before the request goes
//   out, against the system's trust and the URL's host: on Windows the program checks the store
//   itself rather than depend on Schannel alone. A connection it refuses ends the transfer with
//   CURLE_PEER_FAILED_VERIFICATION, as one refused during the handshake does;
// - the log line of a failed transfer: the URL's host, libcurl's code, its text and the detail.
//
// One object per transfer: Apply before performing the easy handle, Finish after, and the object
// stays alive at the same address in between. Any thread; objects are independent.
#pragma once

#include <curl/curl.h>

#include <string>

class ServerVerification {
public:
    enum class FailureLog { Write, Quiet };

    ServerVerification() = default;
    ServerVerification(const ServerVerification&) = delete;
    ServerVerification& operator=(const ServerVerification&) = delete;

    // Sets the verification options on the easy handle `curl` for a request of `url`.
    void Apply(CURL* curl, const std::string& url);

    // The transfer's result from libcurl's result `performed`, a connection refused by
    // the program's own check included. Unless `log` is Quiet, a failure is logged, except an abort
    // the caller asked for (CURLE_ABORTED_BY_CALLBACK of its own callbacks). Takes the options
    // Apply set off the handle again, so the handle may outlive this object.
    CURLcode Finish(CURLcode performed, FailureLog log = FailureLog::Write);

private:
    static int CheckServer(void* self, char*, char*, int, int);

    CURL* curl = nullptr;
    std::string host;
    bool secure = false;  // an https URL: a TLS session must be there to check
    std::string refusal;  // why the program's own check refused the server; empty: it did not
    char errorText[CURL_ERROR_SIZE] = {};  // libcurl's detail of a failure
};
