#include <windows.h>

#include <shlobj.h>

#include <mutex>

#include "support/platform/FolderPicker.h"

namespace {

std::mutex handlerMutex;
std::function<std::wstring()> pickerHandler;

constexpr const wchar_t* kTitle = L"请选择安装目录:";

}  // namespace

// The shell dialog runs its own modal loop, which keeps dispatching the owner's paint and timer
// messages while it disables the owner's input, so `keepAlive` has nothing to do here.
std::wstring BrowseForFolder(const FolderPickerOwner& owner) {
    {
        std::lock_guard lock(handlerMutex);
        if (pickerHandler) return pickerHandler();
    }
    BROWSEINFOW browse{};
    browse.hwndOwner = reinterpret_cast<HWND>(owner.nativeWindow);
    browse.lpszTitle = kTitle;
    browse.ulFlags = BIF_RETURNFSANCESTORS;
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&browse);
    if (chosen == nullptr) return {};  // cancelled
    wchar_t path[MAX_PATH] = {};
    const bool isFolder = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    ::CoTaskMemFree(chosen);
    return isFolder ? std::wstring(path) : std::wstring();
}

void SetFolderPickerHandler(std::function<std::wstring()> handler) {
    std::lock_guard lock(handlerMutex);
    pickerHandler = std::move(handler);
}
