// Margins and insets written as "l,t,r,b" or as one value for all four sides; each value is a
// size value ("4", "2dp") evaluated at the given scale.
#pragma once

#include <string_view>

#include "dui/include/core/SObject.h"
#include "support/WinTypes.h"

// kFailed (and `rect` unchanged) unless the text has one or four parts.
AttrResult ParseMargins(std::wstring_view text, int scale, RECT& rect);
