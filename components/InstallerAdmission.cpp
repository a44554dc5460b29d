#include "components/InstallerAdmission.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "components/ComponentTable.h"
#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/platform/FileSystemPath.h"

bool AdmitInstaller(std::int32_t id, HeldInstaller& installer, const std::string& path) {
    const std::vector<Component> table = ComponentTable();
    const Component* component = FindComponent(table, id);
    std::string problem = "no such component";
    if (component != nullptr && installer.Proves(component->proof, problem)) return true;
    installer.Close();  // Windows deletes no file that is still open
    std::error_code removal;
    std::filesystem::remove(PathFromUtf8(path), removal);
    Log(WideFormat(L"Installer refused and deleted: ID:%d %ls: %ls%ls", id, Utf8ToWide(path).c_str(),
                   Utf8ToWide(problem).c_str(), removal ? L" (the file could not be deleted)" : L""));
    return false;
}
