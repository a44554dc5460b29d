// Any bytes as a manifest "name": a name the download worker accepts must name a file directly
// inside the download folder, whichever separator the platform reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "download/ManifestNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    if (!ManifestNameStaysInFolder(name) || name.empty()) return 0;
    // Windows reads "\" as a separator and "x:" as a drive as well; neither may pass.
    if (name.find('\\') != std::string::npos || (name.size() >= 2 && name[1] == ':')) std::abort();
    const std::filesystem::path folder = "/ProgramData/Ostrelle";
    const std::filesystem::path joined = (folder / name).lexically_normal();
    if (joined.parent_path() != folder || joined.filename() != name) std::abort();
    return 0;
}
