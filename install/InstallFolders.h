// Folder work of the package extraction: telling whether a folder exists, creating a folder with
// its missing parents, deleting a folder with everything in it, and turning a folder text from the
// forms into the path the file system takes. Paths are wide text; on Windows they reach the file
// system as UTF-16, never through the ANSI code page. Callable from any thread.
#pragma once

#include <string>

// Windows-style text ("D:\Apps\Ostrelle", either separator) as a native path: a drive prefix goes
// through the Windows view, every separator becomes the native one. Native paths stay as they are.
std::wstring NativePath(const std::wstring& path);

// True when `folder` is a folder (a link to one counts).
bool FolderExists(const std::wstring& folder);

// Creates `path` and every missing folder above it. True when `path` is a folder afterwards.
bool CreatePath(const std::wstring& path);

// Deletes `folder` and everything below it, depth first. A link is removed itself, never followed,
// so nothing outside the tree is touched. Single failures are skipped (the rest still goes); the
// result tells whether `folder` itself is gone; a file at `folder` is left alone (false).
bool DeleteTree(const std::wstring& folder);
