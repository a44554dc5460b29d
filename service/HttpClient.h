// The request module over libcurl: a blocking GET for the install service, form and JSON POSTs,
// a GET straight into a file with progress posts, and the library's global start-up.
//
// Every call is blocking and uses its own transfer handle, so any thread may call it. HttpStartup
// must have run once (at program start, before any worker) and HttpShutdown once at the end.
// Reply bodies are also written to the debugger output as they arrive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "service/ProgressTarget.h"

// Polled during a transfer (about once a second and on every data chunk); returning true aborts
// the transfer, which then counts as failed.
using CancelCheck = std::function<bool()>;

// The library's global initialisation; 0 on success, else the library's error code.
int HttpStartup();
void HttpShutdown();

// The reply-accumulating write callback: appends the chunk to the std::string `body` points to,
// writes the chunk to the debugger output, and reports the chunk as consumed. Writing only the new
// chunk keeps the output as long as the reply; the whole body so far, again for every chunk, grew
// with the square of the reply's size.
std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* body);

// GETs `url` and appends the reply body to `body`. Time-outs are in milliseconds, 0 = none.
// Returns 0 when the transfer completed (whatever the HTTP status), -1 when it could not be set
// up, failed, timed out or was cancelled. Redirects are not followed.
std::int32_t HttpGet(const std::string& url, std::string& body, std::int32_t timeoutMs,
                     std::int32_t connectTimeoutMs, const CancelCheck& cancelled = {});

// POSTs the pairs url-encoded ("key=value&...", keys as they are, values through UrlEncode, in
// key order) with a "Data-MD5: " header carrying the MD5 of exactly that body. True when the
// transfer completed.
bool PostForm(const std::string& url, const std::map<std::string, std::string>& fields, std::string& reply);

// POSTs `json` as "application/json;charset=UTF-8". 0 when the transfer completed, else -1.
std::int32_t PostJson(const std::string& url, const std::string& json, std::string& reply,
                      std::int32_t timeoutMs, std::int32_t connectTimeoutMs);

// POSTs the pairs as a multipart/form-data body, one part per pair in key order. -1 for an empty
// map or a failed transfer, else 0.
std::int32_t PostFields(const std::string& url, const std::map<std::string, std::string>& fields,
                        std::string& reply);

// GETs `url` into the file at `path` (narrow, UTF-8), replacing what is there. When
// `target` is given and has a window and a message, and the reply declares its Content-Length,
// every chunk sets the target's sizes and posts its message with wParam = percentage received.
// True when the whole reply was written; an HTTP error status, a failed write or a stall of
// a minute count as failures.
bool DownloadToFile(const std::string& url, const std::string& path, ProgressTarget* target);
