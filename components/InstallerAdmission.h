// The one gate every component installer passes, once right after its download and once more right
// before it starts: the held file must give the proof its component is configured with
// (ComponentTable.h, support/platform/HeldInstaller.h). A refused installer is closed, deleted and
// logged with the reason, so nothing is left that could be started by mistake. Callable from any
// thread.
#pragma once

#include <cstdint>
#include <string>

#include "support/platform/HeldInstaller.h"

// True when `installer` (held, read from `path`, UTF-8) may run as component `id`'s installer.
// False for a component the table does not know, or a file without the proof.
bool AdmitInstaller(std::int32_t id, HeldInstaller& installer, const std::string& path);
