// Writing to a registry hive in Wine's text format (support/WineRegistry.h reads it): one key's
// section replaced or removed, everything else kept byte for byte. A section is the "[key] time"
// line and the lines up to the next section; a key's subkeys are sections of their own and go
// with it on removal.
//
//   [Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Larkholm] 1709647629
//   #time=1da6ef08a2c9e00
//   "DisplayName"="Larkholm"
//   "EstimatedSize"=dword:00002800
//
// Backslashes and quotes are escaped, and every character outside printable ASCII is written as
// "\x" with four hex digits (a UTF-16 unit), as Wine reads it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/RegistryValue.h"

// `hive` with the section of `keyPath` (and its subkeys) replaced by one holding exactly `values`,
// stamped with `unixTime`; appended when the key was not there.
std::string WithKey(std::string_view hive, std::wstring_view keyPath,
                    const std::vector<RegistryValue>& values, std::int64_t unixTime);

// `hive` without the section of `keyPath` and those of its subkeys.
std::string WithoutKey(std::string_view hive, std::wstring_view keyPath);

// True for the hive of a 64-bit prefix ("#arch=win64"), which keeps the 32-bit view of Software
// under Software\Wow6432Node.
bool IsHiveOf64BitPrefix(std::string_view hive);
