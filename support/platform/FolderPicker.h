// The desktop's folder picker, titled "请选择安装目录:": the shell's SHBrowseForFolderW on Windows;
// zenity, then kdialog, on Linux. Modal for the calling (UI) thread, as the shell dialog is on
// Windows: it returns when the operator has chosen. Returns the chosen folder, or empty text when the
// operator cancels, chooses something that is no folder, or no picker is available.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The window the picker is opened over: it stays in front of it (transient for it), and the
// window keeps painting meanwhile through `keepAlive`, called over and over while the picker is
// open (it must not wait) with the picker's process id where the picker is another program, so
// the owner can tie that program's windows to its own.
struct FolderPickerOwner {
    std::uintptr_t nativeWindow = 0;  // the platform's handle of the owner's window; 0: none
    std::function<void(int pickerProcess)> keepAlive;
};

std::wstring BrowseForFolder(const FolderPickerOwner& owner = {});

// Test seam: while set, BrowseForFolder returns what `handler` returns.
void SetFolderPickerHandler(std::function<std::wstring()> handler);
