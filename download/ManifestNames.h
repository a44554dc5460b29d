// Which manifest "name" values the download worker accepts. A name is joined to the download
// folder, so it may name a file there or in a subfolder of it ("bin/x.dll", "bin\x.dll"; the
// transfer engine makes the missing folders), but nothing that could lead elsewhere is let through
// before a byte is downloaded. Pure; any thread.
#pragma once

#include <string_view>

// True for a relative name whose every component (between "\" or "/") is a real name, and for the
// empty name (the file is then saved under its URL name and fails verification). False for a
// "." or ".." component, an empty one (a leading separator: absolute and network paths; a doubled
// or trailing one), and for any ":" (a drive prefix, or a stream on Windows) or zero byte.
bool ManifestNameStaysInFolder(std::string_view name);
