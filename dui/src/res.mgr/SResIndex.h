// One line of a resource index: "TYPE NAME file", fields separated by blanks, the file relative
// to the index's folder. Blank lines and lines starting with "#" carry nothing. Also the key
// resources are looked up by. Shared by the respack tool and the providers so both read the same
// format and agree on which entries are the same resource.
#pragma once

#include <cctype>
#include <sstream>
#include <string>
#include <string_view>

struct SResIndexLine {
    std::string type;
    std::string name;
    std::string file;
};

enum class SResIndexParse { kNothing, kEntry, kMalformed };

inline SResIndexParse ParseResIndexLine(const std::string& line, SResIndexLine& out) {
    std::istringstream fields(line);
    std::string extra;
    if (!(fields >> out.type) || out.type[0] == '#') return SResIndexParse::kNothing;
    if (!(fields >> out.name >> out.file) || (fields >> extra)) return SResIndexParse::kMalformed;
    return SResIndexParse::kEntry;
}

// Resource keys compare without regard to case: "TYPE\nNAME" upper-cased (ASCII) as UTF-8.
inline std::string ResKey(std::string_view type, std::string_view name) {
    std::string key;
    key.reserve(type.size() + name.size() + 1);
    key.append(type).append(1, '\n').append(name);
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}
