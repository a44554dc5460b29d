// Component installers for the Linux tests, as the component server hands them out: shell scripts
// without execute permission (the platform layer runs scripts through the shell) that change the
// Wine-prefix-shaped folder in $WINEPREFIX the way the real installers change Windows.
#pragma once

#include <string>

namespace larkholm::testing {

inline const std::string kInstallsWic =
    "#!/bin/sh\nprintf MZ > \"$WINEPREFIX/drive_c/windows/system32/windowscodecs.dll\"\n";
inline const std::string kInstallsDotNet =
    "#!/bin/sh\nprintf '[Software\\\\\\\\Microsoft\\\\\\\\NET Framework "
    "Setup\\\\\\\\NDP\\\\\\\\v4\\\\\\\\Client] 1\\n"
    "\"Version\"=\"4.0.30319\"\\n' >> \"$WINEPREFIX/system.reg\"\n";
inline const std::string kInstallsNothing = "#!/bin/sh\nexit 0\n";

}  // namespace larkholm::testing
