// One line of a resource index: "TYPE NAME file", fields separated by blanks, the file relative
// to the index's folder. Blank lines and lines starting with "#" carry nothing. Shared by the
// respack tool and the folder provider so both read the same format.
#pragma once

#include <sstream>
#include <string>

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
