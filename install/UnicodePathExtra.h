// The Unicode path block (tag 0x7075, "up") of an item's extra field. Archivers that store a name
// in a legacy code page add its UTF-8 form here, with the CRC-32 of the stored name it stands for:
// a tool that later renamed the item changed only the stored name, and the CRC shows the block no
// longer belongs to it. Pure; any thread.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The UTF-8 name of the first Unicode path block of `extra` when that block is version 1, lies
// whole inside `extra` and was made for `storedName`; nothing otherwise.
std::optional<std::string_view> UnicodePathOf(const unsigned char* extra, std::size_t size,
                                              std::string_view storedName);
