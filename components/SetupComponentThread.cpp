#include "components/SetupComponentThread.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "components/ComponentTable.h"
#include "components/InstallerAdmission.h"
#include "support/Log.h"
#include "support/TextConvert.h"
#include "support/WideFormat.h"
#include "support/WindowMessages.h"
#include "support/WizardMessages.h"
#include "support/platform/FileSystemPath.h"
#include "support/platform/HeldInstaller.h"
#include "support/platform/Process.h"

namespace {

// A download arrives without execute permission. A Windows program runs through wine and needs
// none, but an installer that is a script ("#!") or a native ELF program does: its owner may run it.
void MakeRunnableByOwner(const std::string& path) {
    char magic[4] = {};
    std::ifstream(PathFromUtf8(path), std::ios::binary).read(magic, sizeof magic);
    const bool script = magic[0] == '#' && magic[1] == '!';
    const bool elf = magic[0] == '\x7f' && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F';
    if (!script && !elf) return;
    std::error_code ignored;  // RunProgram reports a file that still cannot run
    std::filesystem::permissions(PathFromUtf8(path), std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add, ignored);
}

}  // namespace

SetupComponentThread::~SetupComponentThread() {
    StopAndJoin();
}

std::uint32_t SetupComponentThread::Job(void* context) {
    static_cast<SetupComponentThread*>(context)->SetupAll();
    return 0;
}

void SetupComponentThread::SetupAll() {
    if (tasks.IsEmpty()) return;
    busy = true;
    // The first failure stays: a component that did not install must not be hidden by a later one
    // that did, or the install form would show with that component missing.
    std::int32_t jobStatus = 0;
    setupStatus = 0;
    ComponentTask task;
    while (!StopRequested() && tasks.TryPop(task)) {
        PostToWindow(notifyWindow, UM_COMPONENT_SETUP_STARTED, WPARAM(task.id), 0);
        const std::wstring shownPath = Utf8ToWide(task.location);
        Log(WideFormat(L"开始安装组件 ID:%d 路径:%ls", task.id, shownPath.c_str()));
        if (task.location.empty()) {
            Log(WideFormat(L"安装路径为空 ID:%d 路径:%ls", task.id, shownPath.c_str()));
            if (jobStatus == 0) jobStatus = kNotInstalled;
            break;
        }
        const std::int32_t result = Setup(task);
        if (jobStatus == 0) jobStatus = result;
    }
    // Installers left unrun (the worker was stopped) leave their components missing.
    if (jobStatus == 0 && !tasks.IsEmpty()) jobStatus = kNotInstalled;
    setupStatus = jobStatus;
    PostToWindow(notifyWindow, UM_COMPONENT_SETUP_ENDED, 0, 0);
    busy = false;
}

std::int32_t SetupComponentThread::Setup(const ComponentTask& task) {
    // Proven and started while held: nobody can change the file between its check and its start.
    HeldInstaller installer;
    if (const std::uint32_t error = installer.Open(task.location); error != 0) {
        Log(WideFormat(L"运行失败 ID:%d ERROR:%d 路径:%ls", task.id, int(error),
                       Utf8ToWide(task.location).c_str()));
        return std::int32_t(error);
    }
    if (!AdmitInstaller(task.id, installer, task.location)) return kNotInstalled;
    MakeRunnableByOwner(task.location);
    const std::vector<Component> table = ComponentTable();
    const Component* component = FindComponent(table, task.id);
    const std::string arguments = quiet && component != nullptr ? component->quietArguments : std::string();
    // A quit must not wait for the installer: the wait ends on the stop request and the installer
    // carries on by itself.
    std::uint32_t exitCode = 0;
    const std::int32_t result =
        std::int32_t(RunProgram(task.location, arguments, true, &StopSignal(), &exitCode));
    if (result == 0 && StopRequested()) return kNotInstalled;  // not known to have finished
    if (result != 0) {
        Log(WideFormat(L"运行失败 ID:%d ERROR:%d 路径:%ls", task.id, result,
                       Utf8ToWide(task.location).c_str()));
        return result;
    }
    if (exitCode == kExitRestartRequired || exitCode == kExitRestartInitiated) {
        Log(WideFormat(L"Component %d installed; the installer asks for a restart (exit code %u)", task.id,
                       unsigned(exitCode)));
        restartNeeded = true;
        return 0;
    }
    return component != nullptr && !component->isInstalled() ? kNotInstalled : 0;
}
