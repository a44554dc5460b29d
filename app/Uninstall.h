// Removing a registered installation (app/ProductRegistration.h): the extracted folder, the kept
// copy of the wizard, the downloaded files, the folders the installation created once they are
// empty, and the entry itself; nothing else. A folder that was there before the installation stays,
// with whatever else it holds. Nothing is removed while a program uses a file of the installation.
#pragma once

#include <string>

#include "app/ProductRegistration.h"

// kExitInstalled once removed, kExitFilesInUse (with the program to close in `busyProgram`). The
// last step is RemoveInstallFolder.
int RemoveInstallation(const Installation& installation, std::wstring& busyProgram);

// The kept copy of the wizard, then the folders the installation created, from the install folder
// up, each once it is empty. On Windows the copy cannot go while the uninstall runs from it: then
// this is done again once that program has ended (support/platform/TemporaryCopy.h).
void RemoveInstallFolder(const Installation& installation);
