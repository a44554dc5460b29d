// What the platform files keep of an open system object: a file descriptor on POSIX, a HANDLE on
// Windows (both fit an intptr_t). Portable headers hold it without including a system header.
#pragma once

#include <cstdint>

using NativeHandle = std::intptr_t;
inline constexpr NativeHandle kNoHandle = -1;
