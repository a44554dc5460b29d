// Removing a registered installation (app/ProductRegistration.h): the extracted folder, the kept
// copy of the wizard, the downloaded files, the folders the installation created once they are
// empty, and the entry itself; nothing else. A folder that was there before the installation stays,
// with whatever else it holds. Nothing is removed while a program uses a file of the installation.
#pragma once

#include <string>

#include "app/ProductRegistration.h"

// kExitInstalled once removed, kExitFilesInUse (with the program to close in `busyProgram`).
int RemoveInstallation(const Installation& installation, std::wstring& busyProgram);
