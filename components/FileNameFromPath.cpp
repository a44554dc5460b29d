#include "components/FileNameFromPath.h"

// GCC 12 reports maybe-uninitialized inside its own <regex> when optimising with sanitizers, a
// known false positive in the library's code, not in ours.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop

std::string FileNameFromPath(const std::string& text, bool keepExtension) {
    static const std::regex kName(R"([^\/]*(?=\.\w+$))", std::regex::ECMAScript);
    std::smatch match;
    try {
        if (!std::regex_search(text, match, kName)) return {};
    } catch (const std::regex_error&) {
        return {};  // the text was too complex for the matcher: no name
    }
    return keepExtension ? text.substr(std::size_t(match.position(0))) : match.str(0);
}
