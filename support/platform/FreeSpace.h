// Room left for this user's files on the file system that holds a folder: statvfs on Linux,
// GetDiskFreeSpaceExW on Windows (both honour quotas and reserved blocks).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// `folder` (UTF-8) must exist; nullopt when the system cannot tell.
std::optional<std::uint64_t> FreeBytes(const std::string& folder);
