#include "download/ManifestNames.h"

bool ManifestNameStaysInFolder(std::string_view name) {
    if (name == "." || name == "..") return false;
    // A zero byte would cut the path short when it reaches the file functions.
    if (name.find_first_of(std::string_view("\\/\0", 3)) != std::string_view::npos) return false;
    return name.size() < 2 || name[1] != ':';
}
