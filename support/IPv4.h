// Checks the LAN address typed on the migration form: four decimal parts 0..255 separated by
// single dots, no leading zero on a non-zero part ("00" is zero and passes), spaces (U+0020 only)
// ignored at both ends, fewer than 100 units once trimmed.
#pragma once

#include <string>

bool IsValidIPv4(const std::wstring& text);
