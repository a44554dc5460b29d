#include <windows.h>
// Need what <windows.h> defines, so they stay after it.
#include <exdisp.h>
#include <oleauto.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <atomic>
#include <optional>
#include <vector>

#include "support/TextConvert.h"
#include "support/platform/Process.h"
#include "support/platform/ShellOpenHandler.h"

namespace {

// Set once the desktop shell could not take a link: where Wine 8 has no desktop shell object to
// hand out it answers REGDB_E_CLASSNOTREG only after some ten seconds, which one click in a run is
// enough of.
std::atomic<bool> noDesktopShell{false};

// The command line is the path, one space and the arguments, as UTF-16: the path may hold
// characters the ANSI code page lacks. A path with a blank is quoted, or CreateProcessW would try
// each blank-separated prefix of it ("C:\Documents.exe", ...) as the program first.
std::wstring CommandLine(const std::string& path, const std::string& arguments) {
    const bool quote = path.find_first_of(" \t") != std::string::npos;
    return Utf8ToWide((quote ? "\"" + path + "\"" : path) + " " + arguments);
}

// Waits for the process, or only until the stop request when one is given; true when the process
// ended.
bool WaitUnlessStopped(HANDLE process, const StopEvent* stop) {
    HANDLE objects[2] = {process, nullptr};
    DWORD count = 1;
    if (stop != nullptr && stop->Waitable() != kNoHandle)
        objects[count++] = reinterpret_cast<HANDLE>(stop->Waitable());
    return ::WaitForMultipleObjects(count, objects, FALSE, INFINITE) == WAIT_OBJECT_0;
}

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer != nullptr) pointer->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface** Out() { return &pointer; }
    void** OutVoid() { return reinterpret_cast<void**>(&pointer); }
    Interface* operator->() const { return pointer; }
    explicit operator bool() const { return pointer != nullptr; }

private:
    Interface* pointer = nullptr;
};

// The desktop shell's automation object: the Explorer process of the signed-in user, which starts
// what it is asked to with that user's own, unelevated rights. Fails without a desktop shell.
bool DesktopShell(ComRef<IShellDispatch2>& shell) {
    ComRef<IShellWindows> windows;
    if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                  windows.OutVoid())))
        return false;
    VARIANT none;
    ::VariantInit(&none);
    long desktopWindow = 0;
    ComRef<IDispatch> desktop;
    if (windows->FindWindowSW(&none, &none, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, desktop.Out()) !=
            S_OK ||
        !desktop)
        return false;
    ComRef<IServiceProvider> services;
    ComRef<IShellBrowser> browser;
    ComRef<IShellView> view;
    ComRef<IDispatch> background;
    ComRef<IShellFolderViewDual> folderView;
    ComRef<IDispatch> application;
    return SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, services.OutVoid())) &&
           SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.OutVoid())) &&
           SUCCEEDED(browser->QueryActiveShellView(view.Out())) &&
           SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())) &&
           SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())) &&
           SUCCEEDED(folderView->get_Application(application.Out())) &&
           SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.OutVoid()));
}

bool OpenThroughDesktopShell(const std::wstring& target) {
    ComRef<IShellDispatch2> shell;
    if (!DesktopShell(shell)) return false;
    BSTR file = ::SysAllocString(target.c_str());
    VARIANT none;
    ::VariantInit(&none);
    VARIANT show;
    ::VariantInit(&show);
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const HRESULT result =
        file != nullptr ? shell->ShellExecute(file, none, none, none, show) : E_OUTOFMEMORY;
    ::SysFreeString(file);
    return SUCCEEDED(result);
}

}  // namespace

std::uint32_t RunProgram(const std::string& path, const std::string& arguments, bool wait,
                         const StopEvent* stop, std::uint32_t* exitCode) {
    const std::wstring commandLine = CommandLine(path, arguments);
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());  // CreateProcessW may write to it
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    // The system folder as its current folder: a program looks for DLLs there too, and the
    // installer's own folder may hold files nobody vouched for.
    wchar_t systemFolder[MAX_PATH] = {};
    const UINT systemLength = ::GetSystemDirectoryW(systemFolder, MAX_PATH);
    const wchar_t* currentFolder = systemLength > 0 && systemLength < MAX_PATH ? systemFolder : nullptr;
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder,
                          &startup, &process))
        return ::GetLastError();
    // Closing the handles leaves the program running; only the wait is given up on a stop.
    DWORD code = 0;
    if (wait && WaitUnlessStopped(process.hProcess, stop) && exitCode != nullptr &&
        ::GetExitCodeProcess(process.hProcess, &code))
        *exitCode = code;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

LinkOpening OpenLink(const std::wstring& target) {
    if (const std::optional<bool> handled = HandToShellOpenHandler(target))
        return *handled ? LinkOpening::AsSignedInUser : LinkOpening::Failed;
    if (!noDesktopShell) {
        if (OpenThroughDesktopShell(target)) return LinkOpening::AsSignedInUser;
        noDesktopShell = true;
    }
    return ShellOpen(target) ? LinkOpening::AsThisProcess : LinkOpening::Failed;
}

bool ShellOpen(const std::wstring& target) {
    if (const std::optional<bool> handled = HandToShellOpenHandler(target)) return *handled;
    // Values above 32 mean the shell started something.
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}
