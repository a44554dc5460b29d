// What an item's stored name becomes before anything is written under it. Archives may carry
// Windows drive prefixes, absolute names and ".." steps; the reader strips the first two and the
// ".." steps it can see, and refuses to write an item whose name would still climb out of the folder
// it is extracted into. Both "\" and "/" separate components, as on Windows. Pure functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Repeats until nothing changes: drop a leading drive prefix (any character and ":"); drop one
// leading "\" or "/"; otherwise cut everything up to and including the first "\..\", "\../",
// "/../" or "/..\" (looked for in this order). "c:\a\..\b" → "b", "\..\..\x" → "x".
std::wstring SanitiseEntryName(std::wstring name);

// The non-empty components of `path`, split at "\" and "/".
std::vector<std::wstring> SplitPathComponents(std::wstring_view path);

// The components of `name` with "." dropped and each ".." taking back the component before it;
// nothing when a ".." would leave the folder ("..\x", "a/../../x", "..").
std::optional<std::vector<std::wstring>> ResolveEntryName(std::wstring_view name);
