// The desktop's folder picker, titled "请选择安装目录:": the shell's SHBrowseForFolderW on Windows;
// zenity, then kdialog, on Linux. Blocks the calling (UI) thread while open. Returns the chosen
// folder, or empty text when the operator cancels, chooses something that is no folder, or no
// picker is available.
#pragma once

#include <functional>
#include <string>

std::wstring BrowseForFolder();

// Test seam: while set, BrowseForFolder returns what `handler` returns.
void SetFolderPickerHandler(std::function<std::wstring()> handler);
