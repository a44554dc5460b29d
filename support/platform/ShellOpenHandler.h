// The test seam of Process.h, shared by both platforms' ShellOpen and OpenLink.
#pragma once

#include <optional>
#include <string>

// What the handler set with SetShellOpenHandler answered for `target`, or nothing when none is set
// and the target is for the desktop.
std::optional<bool> HandToShellOpenHandler(const std::wstring& target);
