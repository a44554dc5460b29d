// What an installation run leaves on the machine, gathered for its entry in "Programs and
// Features" (app/ProductRegistration.h): the folders and files to remove one day, the package's
// version and size, and a copy of the wizard kept in the install folder to run the uninstall.
#pragma once

#include <string>

#include "app/ProductRegistration.h"
#include "service/InstallJob.h"

// The highest folder on the way to `folder` (native path) that does not exist yet, which the
// installation is about to create; empty when `folder` exists already.
std::wstring HighestMissingFolder(const std::wstring& folder);

// The entry of a finished run: `job` after its package was unpacked, `createdFolder` as
// HighestMissingFolder said before the run. Copies the running wizard into the install folder as
// the uninstaller; the copy's path is empty when it could not be made.
Installation RecordInstallation(const InstallJob& job, const std::wstring& createdFolder);
