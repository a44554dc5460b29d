// Where the component installers are downloaded to and started from: the component download
// directory when it is safe (support/platform/SecuredFolder.h), or else a fresh folder beside it,
// made with the right security, with the reason in the log. Called by the main window before it
// queues the first download.
#pragma once

#include <string>

// `wanted` when it could be made or was found safe; otherwise a new folder "wanted-XXXXXXXX" (random
// hex) beside it; empty when neither can be had (the download job then fails as for no folder).
std::wstring PrepareDownloadFolder(const std::wstring& wanted);
