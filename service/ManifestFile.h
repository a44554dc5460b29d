// One file of the install manifest: where it is downloaded from, its name under the download
// directory, its expected MD5 digest, where its progress goes, and the extraction counters.
// `downUrl` and `name` are the manifest's UTF-8 bytes, unconverted; `hash` is compared exactly
// (32 lower-case hexadecimal digits).
#pragma once

#include <cstdint>
#include <string>

#include "service/ProgressTarget.h"
#include "support/Sampled.h"

struct ManifestFile {
    std::string downUrl;
    std::string name;
    std::string hash;
    ProgressTarget progress;
    // Written by the extraction while the window reads them.
    Sampled<std::int32_t> extractTotal = 0;
    Sampled<std::int32_t> extractDone = 0;
};
