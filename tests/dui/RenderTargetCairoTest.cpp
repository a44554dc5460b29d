// What only the Cairo backend can tell: that Pango found a glyph for every Chinese character.
#include <gtest/gtest.h>

#include "dui/include/core/IRenderFactory.h"
#include "dui/src/render/cairo/FontPango.h"
#include "support/TextConvert.h"

TEST(RenderTargetCairoTest, ChineseFacesLeaveNoUnknownGlyphs) {
    auto factory = CreateRenderFactory(CreateImgDecoderFactory());
    for (const wchar_t* face : {L"微软雅黑", L"宋体", L""}) {
        auto font = std::static_pointer_cast<FontPango>(factory->CreateFont(FontDesc{face, 18}));
        const TextLayout laid = font->Layout(L"服务器安装向导", DT_SINGLELINE, 0, 0);
        EXPECT_EQ(pango_layout_get_unknown_glyphs_count(laid.layout.get()), 0) << WideToUtf8(face);
    }
}
