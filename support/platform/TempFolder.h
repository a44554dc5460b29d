// The temporary folder of the user running the program, without a trailing separator:
// %TEMP% (GetTempPathW) on Windows, $TMPDIR or /tmp elsewhere.
#pragma once

#include <string>

std::wstring TempFolder();
