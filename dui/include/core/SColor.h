// Colour texts: "#rrggbb", "#rrggbbaa", "rgb(r,g,b)", "rgba(r,g,b,a)" (any case). Colours are
// COLORREF words with alpha in the top byte (RenderTypes.h); kInvalidColor means "none".
#pragma once

#include <string_view>

#include "dui/include/core/RenderTypes.h"

// Sets `color` and returns true when the text reads as 3 or 4 components (3 means opaque);
// otherwise `color` is left as it was.
bool ParseColor(std::wstring_view text, COLORREF& color);
