// Windows only: the .NET Framework 4 client key in the registry of the machine the suite runs on
// (HKEY_LOCAL_MACHINE, written through the registry API as an installer writes it).
#pragma once

#include <optional>
#include <string>

namespace larkholm::testing {

// Writes the key with the given "Version" string; nullopt writes the key alone.
void WriteDotNetKey(const std::optional<std::wstring>& version);
// Removes the key; a missing key is no error.
void RemoveDotNetKey();

// The key as written by WriteDotNetKey while the object lives.
class DotNetKey {
public:
    explicit DotNetKey(const std::optional<std::wstring>& version) { WriteDotNetKey(version); }
    ~DotNetKey() { RemoveDotNetKey(); }
    DotNetKey(const DotNetKey&) = delete;
    DotNetKey& operator=(const DotNetKey&) = delete;
};

}  // namespace larkholm::testing
