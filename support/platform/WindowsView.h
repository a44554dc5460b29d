// The Windows the wizard installs into, seen from Linux the way Wine sees it: a Wine-prefix-shaped
// directory, $WINEPREFIX (default ~/.wine). Drive "x:" is $WINEPREFIX/dosdevices/x: when present,
// else $WINEPREFIX/drive_x; path components match without regard to case; HKEY_LOCAL_MACHINE is
// the text hive $WINEPREFIX/system.reg, read only. On Windows these are the real shell folders and
// registry. All functions are callable from any thread.
#pragma once

#include <optional>
#include <string>

std::string WinePrefix();

// "c:\windows\system32\WindowsCodecs.dll" → "<prefix>/drive_c/windows/system32/windowscodecs.dll"
// (the existing spelling of each component where one matches). A text without a drive prefix is a
// native path and is returned unchanged.
std::string MapWindowsPath(const std::string& path);

// A native path with each component spelled as it exists, where one matches without regard to case
// (the rest as given): what Windows would open for the path. On Windows the path as it is.
std::string ExistingSpelling(const std::string& path);

// Shell folders; empty when the prefix has no drive c:.
std::wstring CommonAppDataFolder();  // CSIDL_COMMON_APPDATA: <prefix>/drive_c/ProgramData
std::wstring ProgramFilesFolder();   // CSIDL_PROGRAM_FILES: <prefix>/drive_c/Program Files

// HKEY_LOCAL_MACHINE reads. A key missing from the native view is also looked for under
// Software\Wow6432Node, where a 64-bit prefix keeps the 32-bit view.
bool HklmKeyExists(const std::wstring& keyPath);
std::optional<std::wstring> ReadHklmString(const std::wstring& keyPath, const std::wstring& valueName);
