// The desktop's folder picker, titled "请选择安装目录:". Blocks the calling (UI) thread while open,
// as the modal shell dialog does on Windows. Returns the chosen folder, or empty text when the
// operator cancels or no picker is available (zenity, then kdialog, are tried on Linux).
#pragma once

#include <functional>
#include <string>

std::wstring BrowseForFolder();

// Test seam: while set, BrowseForFolder returns what `handler` returns.
void SetFolderPickerHandler(std::function<std::wstring()> handler);
