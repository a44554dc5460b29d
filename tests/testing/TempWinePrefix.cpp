#include "tests/testing/TempWinePrefix.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

namespace larkholm::testing {

TempWinePrefix::TempWinePrefix() {
    namespace fs = std::filesystem;
    if (const char* old = std::getenv("WINEPREFIX")) previous = old;
    fs::create_directories(dir.Path() / "drive_c/windows/system32");
    fs::create_directories(dir.Path() / "drive_c/Program Files");
    fs::create_directories(dir.Path() / "drive_c/ProgramData");
    fs::create_directories(dir.Path() / "dosdevices");
    fs::create_directory_symlink("../drive_c", dir.Path() / "dosdevices/c:");
    dir.WriteFile("system.reg", "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n");
    ::setenv("WINEPREFIX", Root().c_str(), 1);
}

TempWinePrefix::~TempWinePrefix() {
    if (previous) ::setenv("WINEPREFIX", previous->c_str(), 1);
    else ::unsetenv("WINEPREFIX");
}

void TempWinePrefix::InstallWic() const { dir.WriteFile("drive_c/windows/system32/windowscodecs.dll", "MZ"); }

void TempWinePrefix::SetDotNetVersion(const std::optional<std::string>& version) const {
    std::string text = "[Software\\\\Microsoft\\\\NET Framework Setup\\\\NDP\\\\v4\\\\Client] 1796869445\n#time=1dd884d871dcc20\n";
    if (version) text += "\"Version\"=\"" + *version + "\"\n";
    AppendRegistry(text + "\n");
}

void TempWinePrefix::AppendRegistry(const std::string& text) const {
    std::ofstream(dir / "system.reg", std::ios::binary | std::ios::app) << text;
}

}  // namespace larkholm::testing
