#include "download/ManifestNames.h"

#include "support/PathText.h"

bool ManifestNameStaysInFolder(std::string_view name) {
    if (name.empty()) return true;
    // A zero byte would cut the path short when it reaches the file functions.
    if (name.find_first_of(std::string_view(":\0", 2)) != std::string_view::npos) return false;
    std::size_t begin = 0;
    for (std::size_t at = 0; at <= name.size(); ++at) {
        if (at < name.size() && !IsPathSeparator(name[at])) continue;
        const std::string_view component = name.substr(begin, at - begin);
        if (component.empty() || component == "." || component == "..") return false;
        begin = at + 1;
    }
    return true;
}
