// Any bytes as a manifest "name": a name the download worker accepts must name a file inside the
// download folder, whichever separator the platform reads.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "download/ManifestNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    if (!ManifestNameStaysInFolder(name) || name.empty()) return 0;
    // Windows reads "x:" as a drive or a stream; neither may pass.
    if (name.find(':') != std::string::npos) std::abort();
    // Read with both separators, the name must stay below the folder and mean what it says.
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const std::filesystem::path folder = "/ProgramData/Ostrelle";
    const std::filesystem::path joined = folder / slashed;
    const std::filesystem::path normal = joined.lexically_normal();
    if (normal != joined || normal.lexically_relative(folder).native() != slashed) std::abort();
    return 0;
}
