// Any text as a font description ("face:微软雅黑,bold:1,size:17,..."), read against the UI
// definition's defaults at one of the scales the framework uses, then made into a real font that
// measures a line of text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dui/include/core/IImgDecoderFactory.h"
#include "dui/include/core/SAppContext.h"
#include "dui/include/core/SFontPool.h"
#include "support/TextConvert.h"

namespace {

SAppContext& Context() {
    static std::unique_ptr<IRenderFactory> factory = CreateRenderFactory(CreateImgDecoderFactory());
    static SAppContext context(factory.get());
    return context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    constexpr int kScales[] = {100, 125, 150, 200};
    const int scale = kScales[data[0] % 4];
    const std::wstring description = Utf8ToWide({reinterpret_cast<const char*>(data + 1), size - 1});

    const DWORD defaultStyle = FontStyle::Make(12, 0, false, false, false, false);
    const SFontKey key = SFontPool::ParseDescription(description, scale, defaultStyle, L"宋体");
    if (key != SFontPool::ParseDescription(description, scale, defaultStyle, L"宋体")) std::abort();

    // A pool per input: the shared one would keep every font the fuzzer ever made.
    SFontPool pool(Context());
    if (const auto font = pool.FontFromDescription(description, scale)) {
        font->LineHeight();
        font->MeasureText(L"Larkholm 网吧 0123", DT_SINGLELINE, 0);
    }
    return 0;
}
