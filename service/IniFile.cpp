#include "service/IniFile.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <sstream>

#include "support/platform/FileSystemPath.h"

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return text;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniFile IniFile::Load(const std::string& path) {
    std::ifstream file(PathFromUtf8(path), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str());
}

IniFile IniFile::Parse(const std::string& text) {
    IniFile ini;
    std::istringstream lines(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text);
    std::map<std::string, std::string>* section = nullptr;
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            const std::string name =
                Lower(Trim(line.substr(1, close == std::string::npos ? close : close - 1)));
            section = &ini.sections[name];
            continue;
        }
        const auto equals = line.find('=');
        if (section == nullptr || equals == std::string::npos) continue;
        // emplace keeps the first occurrence of a key.
        section->emplace(Lower(Trim(line.substr(0, equals))), Unquote(Trim(line.substr(equals + 1))));
    }
    return ini;
}

std::optional<std::string> IniFile::Find(const std::string& section, const std::string& key) const {
    const auto s = sections.find(Lower(section));
    if (s == sections.end()) return std::nullopt;
    const auto k = s->second.find(Lower(key));
    if (k == s->second.end()) return std::nullopt;
    return k->second;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback, std::size_t maxChars) const {
    return Find(section, key).value_or(fallback).substr(0, maxChars);
}

int IniFile::ReadInt(const std::string& section, const std::string& key, int fallback) const {
    const auto value = Find(section, key);
    if (!value || value->empty()) return fallback;
    std::size_t i = 0;
    const bool negative = (*value)[0] == '-';
    if ((*value)[0] == '-' || (*value)[0] == '+') ++i;
    long long number = 0;
    for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
        number = std::min<long long>(number * 10 + ((*value)[i] - '0'), std::numeric_limits<int>::max());
    }
    return negative ? 0 : int(number);
}
