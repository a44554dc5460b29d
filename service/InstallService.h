// The install service client: the first two network steps of an installation run, both on the
// DownLoadThread worker.
//
// RequestInstall sends the setup request (kind 0: shop code and password) or the migration request
// (kind 1: verification code) to ServiceBaseUrl() and keeps the manifest URL of the reply in
// `installResult`. FetchManifest reads that manifest into `files`. Each returns true on success;
// on failure the job's fields say why:
//
//   error  retcode  meaning
//   -1     0        service unreachable or timed out, reply not JSON or not of the expected shape,
//                   or larger than 4 MiB
//   0      ≠0       the service refused; `retmsg` holds its text (or, for an empty manifest URL,
//                   retcode -1 and the resolved "@string/msg_error_download_url_empty")
//
// Both reset `error`, `retcode` and `retmsg` at their start. A request lasts at most 5 s (2 s to
// connect); `cancelled`, when given, is polled and aborts it (the step then fails with error -1).
#pragma once

#include "service/HttpClient.h"
#include "service/InstallJob.h"

bool RequestInstall(InstallJob& job, const CancelCheck& cancelled = {});
bool FetchManifest(InstallJob& job, const CancelCheck& cancelled = {});

// What the two steps make of a reply body once it has arrived, with the same results and fields
// (RequestInstall fills `installResult`, FetchManifest `files`). They touch no network, so replies
// can be judged on their own.
bool ReadInstallReply(InstallJob& job, const std::string& body);
bool ReadManifestReply(InstallJob& job, const std::string& body);
