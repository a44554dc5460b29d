// The executable's own folder, and where the process loads libraries from.
#pragma once

#include <cstdint>
#include <string>

// Sets `path` to the executable's own path and returns 0, or the platform's error code.
std::uint32_t ModulePath(std::wstring& path);

// Sets `folder` to the executable's folder without its trailing separator ("C:" for an executable
// in a drive's root on Windows; "/" stays "/" on Linux) and returns 0, or the platform's error
// code when the executable's name cannot be read (`folder` is then unchanged).
std::uint32_t ModuleDirectory(std::wstring& folder);

// Makes `folder` the process's current directory; false on failure.
bool SetCurrentFolder(const std::wstring& folder);

// Windows: from now on the process loads libraries from the system folder only, never from its own
// folder or the current one. The wizard starts from a downloads folder, where anyone may have left
// a DLL named like a system one, and runs elevated. Nothing to do on Linux.
void LoadSystemLibrariesOnly();
