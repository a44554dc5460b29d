// Text preparation every backend shares before laying text out with DT_* flags.
#pragma once

#include <string>

#include "support/WinTypes.h"

// `text` as it is laid out: "\r\n" and lone "\r" become "\n"; with DT_SINGLELINE every line break
// becomes a space instead, one for one, so caret positions keep their indexes.
std::wstring TextForFormat(const std::wstring& text, UINT format);
