#include "support/platform/PathSeparator.h"

const char kPathSeparator = '\\';
const wchar_t kWidePathSeparator = L'\\';
