#include "support/WineHiveText.h"

#include <cstdio>
#include <optional>

#include "support/WineRegistry.h"

namespace {

void AppendUnit(std::string& out, unsigned unit) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%04x", unit & 0xFFFF);
    out += escaped;
}

std::string Escape(std::wstring_view text) {
    std::string out;
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (c == L'\\' || c == L'"') {
            out += '\\';
            out += char(c);
        } else if (code >= 0x20 && code < 0x7F) {
            out += char(c);
        } else if (code > 0xFFFF) {
            // A character beyond the first plane (wide text is UTF-32 on Linux) as its UTF-16 pair.
            AppendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, code);
        }
    }
    return out;
}

bool IsKeyOrSubkey(const std::wstring& section, const std::wstring& key) {
    return section == key || (section.size() > key.size() && section.compare(0, key.size(), key) == 0 &&
                              section[key.size()] == L'\\');
}

}  // namespace

std::string WithoutKey(std::string_view hive, std::wstring_view keyPath) {
    const std::wstring key = WineRegistry::ComparableKeyPath(keyPath);
    std::string out;
    bool dropping = false;
    size_t start = 0;
    while (start < hive.size()) {
        size_t end = hive.find('\n', start);
        end = end == std::string_view::npos ? hive.size() : end + 1;
        const std::string_view line = hive.substr(start, end - start);
        start = end;
        if (!line.empty() && line[0] == '[') {
            const std::optional<std::wstring> section = WineRegistry::SectionKeyPath(line);
            dropping = section && IsKeyOrSubkey(*section, key);
        }
        if (!dropping) out += line;
    }
    return out;
}

std::string WithKey(std::string_view hive, std::wstring_view keyPath,
                    const std::vector<RegistryValue>& values, std::int64_t unixTime) {
    std::string out = WithoutKey(hive, keyPath);
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += "[" + Escape(keyPath) + "] " + std::to_string(unixTime) + "\n";
    // 100 ns units since 1601, as Wine stamps its keys.
    const std::uint64_t fileTime = (std::uint64_t(unixTime) + 11644473600ULL) * 10000000ULL;
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "#time=%llx\n", static_cast<unsigned long long>(fileTime));
    out += stamp;
    for (const RegistryValue& value : values) {
        out += "\"" + Escape(value.name) + "\"=";
        if (value.kind == RegistryValue::Kind::kNumber) {
            char number[24];
            std::snprintf(number, sizeof number, "dword:%08x", unsigned(value.number));
            out += number;
        } else {
            out += "\"" + Escape(value.text) + "\"";
        }
        out += "\n";
    }
    // Wine keeps a blank line between sections; this one belongs to the key and goes with it.
    out += "\n";
    return out;
}

bool IsHiveOf64BitPrefix(std::string_view hive) {
    return hive.find("\n#arch=win64") != std::string_view::npos;
}
