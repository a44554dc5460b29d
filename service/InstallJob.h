// The data of one installation run: the install parameters the forms set, and the result fields
// each step writes. DownLoadThread is built on it; the service steps (RequestInstall,
// FetchManifest) take it by reference.
//
// Threads: the UI thread sets the parameters before it triggers the worker; the worker writes the
// results; the UI thread reads `error`, `retcode`, `retmsg` and `installResult` only after the
// worker posted UM_INSTALL_FINISHED and `running` dropped. The flags and the files' progress sizes
// are read while the worker runs, hence atomic.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "service/ManifestFile.h"
#include "support/WinTypes.h"

constexpr std::int32_t kInstallKindSetup = 0;      // an all-new installation (shop code and password)
constexpr std::int32_t kInstallKindMigration = 1;  // moved from another server (verification code)

// The program's own failure codes in InstallJob::error.
constexpr std::int32_t kErrorServiceReply = -1;  // the service could not be reached or its reply read
constexpr std::int32_t kErrorBadManifestEntry =
    -2;                                             // a manifest entry without its URL or hash, or a bad name
constexpr std::int32_t kErrorFileNotVerified = -3;  // a file never matched its digest
constexpr std::int32_t kErrorExtraction = -4;       // the package could not be unpacked
constexpr std::int32_t kErrorFilesInUse = -5;       // a program holds a file of the folder to replace

// What a successful setup or migration reply carries.
struct InstallResult {
    std::string downUrl;  // URL of the install manifest, the reply's UTF-8 bytes unconverted
    std::int32_t shopId = 0;
};

struct InstallJob {
    std::int32_t kind = kInstallKindSetup;
    // Install parameters, narrow text in the ANSI code page; a parameter no form sets stays empty.
    std::string innerIp;
    std::string billSysType;
    std::string terminalType;
    std::string terminalShortcut;
    std::string shopCode;
    std::string password;
    std::string validCode;
    std::wstring installDir;
    std::wstring downloadDir;
    HWND notifyWindow = nullptr;

    // Results. `error`: 0 = no failure of our own; negative = the program's failure codes; positive
    // = a transfer library's code. `retcode`/`retmsg`: what the install service answered.
    std::int32_t error = 0;
    std::int32_t retcode = 0;
    std::wstring retmsg;
    InstallResult installResult;
    std::vector<ManifestFile> files;  // the manifest, in manifest order; not resized while downloading
    std::atomic<bool> downloading{false};
    std::atomic<bool> extracting{false};
    std::wstring launchPath;
    std::wstring busyProgram;  // with kErrorFilesInUse: the program to close (or the file it holds)
    std::atomic<bool> running{false};
};
