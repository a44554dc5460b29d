#include <windows.h>

#include "dui/src/host/win32/Win32Dpi.h"

namespace {

template <class Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    HMODULE handle = ::GetModuleHandleW(module);
    // shcore.dll is not loaded by every process; it is a system DLL where it exists at all.
    if (handle == nullptr) handle = ::LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(handle, name)));
}

int SystemDpi() {
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return USER_DEFAULT_SCREEN_DPI;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    }
    // GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y)
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor =
        SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor != nullptr) {
        UINT x = 0, y = 0;
        HMONITOR monitor = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        if (monitor != nullptr && SUCCEEDED(getDpiForMonitor(monitor, 0, &x, &y)) && x > 0)
            return static_cast<int>(x);
    }
    return SystemDpi();
}
