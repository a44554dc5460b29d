// A read-only INI file, read the way the Windows profile functions read one:
//
//   ; comment            [Section]          key = value          name="quoted value"
//
// Section and key names compare without regard to ASCII case; names and values are trimmed of
// spaces and tabs; a value wholly inside matching single or double quotes loses them; the first
// occurrence of a key in the first matching section wins. A missing or unreadable file reads as
// an empty one. Lines without "=" outside a section header are ignored.
#pragma once

#include <map>
#include <optional>
#include <string>

class IniFile {
public:
    static IniFile Load(const std::string& path);
    static IniFile Parse(const std::string& text);

    // The value, cut to `maxChars` bytes; `fallback` when the key is absent.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback,
                           std::size_t maxChars) const;
    // The value's leading decimal number (an optional sign, then digits; none reads as 0, a
    // negative number as 0); `fallback` when the key is absent or its value empty.
    int ReadInt(const std::string& section, const std::string& key, int fallback) const;

private:
    std::optional<std::string> Find(const std::string& section, const std::string& key) const;

    std::map<std::string, std::map<std::string, std::string>> sections;  // by lower-cased names
};
