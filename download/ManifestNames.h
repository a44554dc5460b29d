// Which manifest "name" values the download worker accepts. A name is joined to the download
// folder as it stands, so only a plain file name may pass: anything that could name another
// folder ("..", a separator, a drive prefix) is refused before a byte is downloaded. Pure; any thread.
#pragma once

#include <string_view>

// True for a plain file name and for the empty name (the file is then saved under its URL name
// and fails verification). False
// for ".", "..", a name holding "\", "/" or a zero byte, and one with a drive prefix ("c:x").
bool ManifestNameStaysInFolder(std::string_view name);
