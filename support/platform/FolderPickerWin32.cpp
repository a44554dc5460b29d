#include <windows.h>

#include <shlobj.h>

#include <mutex>

#include "support/platform/FolderPicker.h"

namespace {

std::mutex handlerMutex;
std::function<std::wstring()> pickerHandler;

constexpr const wchar_t* kTitle = L"请选择安装目录:";

}  // namespace

std::wstring BrowseForFolder() {
    {
        std::lock_guard lock(handlerMutex);
        if (pickerHandler) return pickerHandler();
    }
    BROWSEINFOW browse{};
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
