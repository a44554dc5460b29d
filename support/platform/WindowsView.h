// The Windows the wizard installs into. On Windows it is the machine itself: the shell's special
// folders (SHGetSpecialFolderLocation) and the registry (RegOpenKeyExW with KEY_READ and no view
// flag, so this 32-bit program reads the 32-bit view). On Linux it is seen the way Wine sees it: a
// Wine-prefix-shaped directory, $WINEPREFIX (default ~/.wine). Drive "x:" is
// $WINEPREFIX/dosdevices/x: when present, else $WINEPREFIX/drive_x; path components match without
// regard to case; HKEY_LOCAL_MACHINE is the text hive $WINEPREFIX/system.reg, read only. All
// functions are callable from any thread.
#pragma once

#include <optional>
#include <string>

// The native path of a Windows path. On Linux "c:\windows\system32\WindowsCodecs.dll" →
// "<prefix>/drive_c/windows/system32/windowscodecs.dll" (the existing spelling of each component
// where one matches), and a text without a drive prefix is a native path, returned unchanged. On
// Windows every text is returned unchanged.
std::string MapWindowsPath(const std::string& path);

// Shell folders; empty when unavailable (on Linux: when the prefix has no drive c:).
std::wstring CommonAppDataFolder();  // CSIDL_COMMON_APPDATA; Linux: <prefix>/drive_c/ProgramData
std::wstring ProgramFilesFolder();   // CSIDL_PROGRAM_FILES; Linux: <prefix>/drive_c/Program Files

// HKEY_LOCAL_MACHINE reads. On Linux a key missing from the native view is also looked for under
// Software\Wow6432Node, where a 64-bit prefix keeps the 32-bit view. Only text values (REG_SZ,
// REG_EXPAND_SZ, read unexpanded) are read; a value of another type reads as absent.
bool HklmKeyExists(const std::wstring& keyPath);
std::optional<std::wstring> ReadHklmString(const std::wstring& keyPath, const std::wstring& valueName);
