// The last component of a URL or path, as the component installers are named locally.
#pragma once

#include <string>

// The run of non-"/" characters that ends right before a final "." and one or more word characters
// at the end of `text` (the first match of "[^\/]*(?=\.\w+$)"). With `keepExtension` the result
// runs on to the end of the text ("wic_x86_chs.exe"), without it it stops before the extension
// ("wic_x86_chs"). Empty when nothing matches, for example when a query follows the name.
std::string FileNameFromPath(const std::string& text, bool keepExtension);
