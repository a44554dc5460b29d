// Read-only view of a registry hive in Wine's text format (system.reg, user.reg):
//
//   WINE REGISTRY Version 2
//   [Software\\Microsoft\\NET Framework Setup\\NDP\\v4\\Client] 1796869445
//   "Version"="4.0.30319"
//   @="default value"
//
// Key paths and value names compare without regard to case. Only string values are kept
// ("…", str(2):"…" read unexpanded); dword and hex values are known to exist but read as absent
// strings. Malformed lines are skipped; parsing never fails.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

class WineRegistry {
public:
    static WineRegistry Parse(std::string_view text);

    // The key path that a section line ("[path] time") opens, in the form key paths compare in;
    // nothing when `line` is no section line.
    static std::optional<std::wstring> SectionKeyPath(std::string_view line);
    // `keyPath` in the form key paths compare in: lower case, single separators, none at the ends.
    static std::wstring ComparableKeyPath(std::wstring_view keyPath);

    bool HasKey(std::wstring_view keyPath) const;
    // `valueName` empty reads the default value ("@").
    std::optional<std::wstring> ReadString(std::wstring_view keyPath, std::wstring_view valueName) const;

private:
    struct Value {
        bool isString = false;
        std::wstring text;
    };
    using Key = std::map<std::wstring, Value>;  // by lower-cased value name
    std::map<std::wstring, Key> keys;           // by lower-cased key path, single "\" separators
};
