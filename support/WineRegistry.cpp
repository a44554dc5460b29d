#include "support/WineRegistry.h"

#include <cwctype>

#include "support/TextConvert.h"

namespace {

std::wstring Lower(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads an escaped run up to the unescaped `terminator`, starting after the opening quote or
// bracket. Wine writes "\\", "\"", "\n" and "\xHHHH" (up to four hex digits). Returns the position
// just past the terminator, or npos when the line ends first.
size_t Unescape(std::string_view line, size_t i, char terminator, std::wstring& out) {
    std::string pending;  // plain bytes, decoded as UTF-8 together
    auto flush = [&] {
        out += Utf8ToWide(pending);
        pending.clear();
    };
    while (i < line.size()) {
        const char c = line[i++];
        if (c == terminator) {
            flush();
            return i;
        }
        if (c != '\\' || i >= line.size()) {
            pending += c;
            continue;
        }
        const char e = line[i++];
        switch (e) {
            case 'n':
                pending += '\n';
                break;
            case 'r':
                pending += '\r';
                break;
            case 't':
                pending += '\t';
                break;
            case '0':
                pending += '\0';
                break;
            case 'x': {
                unsigned code = 0;
                int digits = 0;
                while (digits < 4 && i < line.size() && HexValue(line[i]) >= 0) {
                    code = code * 16 + unsigned(HexValue(line[i++]));
                    ++digits;
                }
                flush();
                out += static_cast<wchar_t>(code);
                break;
            }
            default:
                pending += e;
                break;
        }
    }
    return std::string_view::npos;
}

}  // namespace

std::wstring WineRegistry::ComparableKeyPath(std::wstring_view path) {
    std::wstring out;
    for (wchar_t c : path) {
        if (c == L'\\' && !out.empty() && out.back() == L'\\') continue;
        out += c;
    }
    while (!out.empty() && out.back() == L'\\') out.pop_back();
    while (!out.empty() && out.front() == L'\\') out.erase(out.begin());
    return Lower(out);
}

std::optional<std::wstring> WineRegistry::SectionKeyPath(std::string_view line) {
    std::wstring path;
    if (line.empty() || line[0] != '[' || Unescape(line, 1, ']', path) == std::string_view::npos)
        return std::nullopt;
    return ComparableKeyPath(path);
}

WineRegistry WineRegistry::Parse(std::string_view text) {
    WineRegistry registry;
    Key* current = nullptr;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;

        if (line[0] == '[') {
            const std::optional<std::wstring> path = SectionKeyPath(line);
            current = path ? &registry.keys[*path] : nullptr;
            continue;
        }
        if (current == nullptr) continue;

        std::wstring name;
        size_t i;
        if (line[0] == '@') {
            i = 1;
        } else if (line[0] == '"') {
            i = Unescape(line, 1, '"', name);
            if (i == std::string_view::npos) continue;
        } else {
            continue;  // comments (";", "#time=") and hex continuation lines
        }
        if (i >= line.size() || line[i] != '=') continue;
        std::string_view data = line.substr(i + 1);

        Value value;
        if (data.substr(0, 7) == "str(2):") data.remove_prefix(7);
        if (!data.empty() && data[0] == '"') {
            if (Unescape(data, 1, '"', value.text) == std::string_view::npos) continue;
            value.isString = true;
        }
        (*current)[Lower(name)] = std::move(value);
    }
    return registry;
}

bool WineRegistry::HasKey(std::wstring_view keyPath) const {
    return keys.count(ComparableKeyPath(keyPath)) != 0;
}

std::optional<std::wstring> WineRegistry::ReadString(std::wstring_view keyPath,
                                                     std::wstring_view valueName) const {
    const auto key = keys.find(ComparableKeyPath(keyPath));
    if (key == keys.end()) return std::nullopt;
    const auto value = key->second.find(Lower(valueName));
    if (value == key->second.end() || !value->second.isString) return std::nullopt;
    return value->second.text;
}
