// Any text as a colour ("#rrggbb", "#rrggbbaa", "rgb(r,g,b)", "rgba(r,g,b,a)"): a text that doesn't
// read leaves the colour as it was, and reading is the same every time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dui/include/core/SColor.h"
#include "support/TextConvert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Utf8ToWide({reinterpret_cast<const char*>(data), size});
    COLORREF color = kInvalidColor;
    const bool parsed = ParseColor(text, color);
    if (!parsed && color != kInvalidColor) std::abort();
    COLORREF again = 0x12345678;
    if (ParseColor(text, again) != parsed || (parsed && again != color) || (!parsed && again != 0x12345678))
        std::abort();
    return 0;
}
