// The Windows the wizard installs into. On Windows it is the machine itself: the shell's special
// folders (SHGetSpecialFolderLocation) and the registry (RegOpenKeyExW with KEY_READ and no view
// flag, so this 32-bit program reads the 32-bit view). On Linux it is seen the way Wine sees it: a
// Wine-prefix-shaped directory, $WINEPREFIX (default ~/.wine). Drive "x:" is
// $WINEPREFIX/dosdevices/x: when present, else $WINEPREFIX/drive_x; path components match without
// regard to case; HKEY_LOCAL_MACHINE is the text hive $WINEPREFIX/system.reg, changed only by
// WriteMachineKey and DeleteMachineKey. All functions are callable from any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/RegistryValue.h"

// The native path of a Windows path. On Linux "c:\windows\system32\WindowsCodecs.dll" →
// "<prefix>/drive_c/windows/system32/windowscodecs.dll" (the existing spelling of each component
// where one matches), and a text without a drive prefix is a native path, returned unchanged. On
// Windows every text is returned unchanged.
std::string MapWindowsPath(const std::string& path);

// A native path with each component spelled as it exists, where one matches without regard to case
// (the rest as given): what Windows would open for the path. On Windows the path as it is.
std::string ExistingSpelling(const std::string& path);

// Shell folders; empty when unavailable (on Linux: when the prefix has no drive c:).
std::wstring CommonAppDataFolder();  // CSIDL_COMMON_APPDATA; Linux: <prefix>/drive_c/ProgramData
std::wstring ProgramFilesFolder();   // CSIDL_PROGRAM_FILES; Linux: <prefix>/drive_c/Program Files

// HKEY_LOCAL_MACHINE reads. On Linux a key missing from the native view is also looked for under
// Software\Wow6432Node, where a 64-bit prefix keeps the 32-bit view. Only text values (REG_SZ,
// REG_EXPAND_SZ, read unexpanded) are read; a value of another type reads as absent.
bool HklmKeyExists(const std::wstring& keyPath);
std::optional<std::wstring> ReadHklmString(const std::wstring& keyPath, const std::wstring& valueName);

// HKEY_LOCAL_MACHINE written and read in the wizard's own registry view, where "Programs and
// Features" looks for the program's entry: for the 32-bit program we ship, the 32-bit view. Windows:
// no view flag, so the system picks the view from the program's bitness (the 64-bit build of the
// same source writes the 64-bit view). Linux stands in for the shipped program: system.reg,
// rewritten whole through a temporary file and a rename; in a 64-bit prefix ("#arch=win64") the
// 32-bit view of Software lies under Software\Wow6432Node, as Wine keeps it. One writer at a time.
//
// WriteMachineKey creates `keyPath` when missing and gives it exactly `values`; DeleteMachineKey is
// true once the key is gone (also when it was never there).
bool WriteMachineKey(const std::wstring& keyPath, const std::vector<RegistryValue>& values);
std::optional<std::wstring> ReadMachineText(const std::wstring& keyPath, const std::wstring& name);
bool DeleteMachineKey(const std::wstring& keyPath);
