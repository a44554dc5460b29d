// A temporary Wine-prefix-shaped folder for one test, installed as $WINEPREFIX while it lives:
//
//   <prefix>/dosdevices/c: -> ../drive_c
//   <prefix>/drive_c/{windows/system32, Program Files, ProgramData}
//   <prefix>/system.reg
//
// The previous $WINEPREFIX is restored on destruction.
#pragma once

#include <optional>
#include <string>

#include "tests/testing/TempDir.h"

namespace larkholm::testing {

class TempWinePrefix {
public:
    TempWinePrefix();
    ~TempWinePrefix();

    std::string Root() const { return dir.Path().string(); }
    std::string DriveC() const { return Root() + "/drive_c"; }

    // Places "WindowsCodecs.dll" (spelt in lower case, as Wine does) in drive_c/windows/system32.
    void InstallWic() const;
    // Writes the .NET 4 client key with the given "Version" string; nullopt writes the key only.
    void SetDotNetVersion(const std::optional<std::string>& version) const;
    // Appends raw text to system.reg.
    void AppendRegistry(const std::string& text) const;

private:
    TempDir dir;
    std::optional<std::string> previous;
};

}  // namespace larkholm::testing
