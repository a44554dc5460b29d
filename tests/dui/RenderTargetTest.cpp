// Pixel rules every drawing backend meets on small off-screen targets (Cairo on Linux, Direct2D on
// Windows): blending, clipping, opacity layers, picture scaling without bleeding, nine-grid
// corners, and text placement inside its rectangle. Exact where both backends lay down whole
// pixels; text is checked by where its ink lands, with a few pixels for anti-aliasing.
#include <gtest/gtest.h>

#include <algorithm>

#include "dui/include/core/IRenderFactory.h"

namespace {

constexpr COLORREF kWhite = RGBA(255, 255, 255, 255);
constexpr COLORREF kRed = RGBA(255, 0, 0, 255);
constexpr COLORREF kGreen = RGBA(0, 255, 0, 255);
constexpr COLORREF kBlue = RGBA(0, 0, 255, 255);
constexpr COLORREF kBlack = RGBA(0, 0, 0, 255);

std::uint32_t Premultiplied(COLORREF c) {
    return 0xFF000000u | (std::uint32_t{ColorRed(c)} << 16) | (std::uint32_t{ColorGreen(c)} << 8) |
           ColorBlue(c);
}

// A picture made of opaque colour blocks: `paint(x, y)` gives each pixel's colour.
template <typename Paint>
ImgFrame MakeFrame(int width, int height, Paint paint) {
    ImgFrame f{width, height, {}, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) f.pixels.push_back(Premultiplied(paint(x, y)));
    return f;
}

// Smallest rectangle holding every pixel that is not `background`; empty when none.
RECT InkBounds(IRenderTarget& rt, COLORREF background) {
    const SIZE size = rt.GetSize();
    RECT ink{size.cx, size.cy, 0, 0};
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if (rt.GetPixel(x, y) != background) {
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
    return ink;
}

bool Near(COLORREF a, COLORREF b, int tolerance = 2) {
    const auto close = [tolerance](int x, int y) { return std::abs(x - y) <= tolerance; };
    return close(ColorRed(a), ColorRed(b)) && close(ColorGreen(a), ColorGreen(b)) &&
           close(ColorBlue(a), ColorBlue(b)) && close(ColorAlpha(a), ColorAlpha(b));
}

class RenderTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Direct2D under Wine draws through GL and needs an X display even off-screen.
        ASSERT_TRUE(factory && factory->CreateRenderTarget(SIZE{1, 1}))
            << "the backend makes no render target";
    }
    std::unique_ptr<IRenderTarget> Target(int width, int height, COLORREF background = kWhite) {
        auto rt = factory->CreateRenderTarget(SIZE{width, height});
        rt->Clear(RECT{0, 0, width, height}, background);
        return rt;
    }
    std::unique_ptr<IRenderFactory> factory = CreateRenderFactory(CreateImgDecoderFactory());
};

TEST_F(RenderTargetTest, FillsBlendClipAndLayerOpacityMultiplies) {
    auto rt = Target(10, 10);
    rt->FillRect(RECT{0, 0, 10, 10}, RGBA(0, 0, 0, 128));  // half black over white
    EXPECT_TRUE(Near(rt->GetPixel(5, 5), RGBA(127, 127, 127, 255)));

    rt->Clear(RECT{0, 0, 10, 10}, kWhite);
    rt->PushClipRect(RECT{2, 2, 5, 5});
    rt->FillRect(RECT{0, 0, 10, 10}, kRed);
    rt->PopClip();
    EXPECT_EQ(rt->GetPixel(2, 2), kRed);
    EXPECT_EQ(rt->GetPixel(4, 4), kRed);
    EXPECT_EQ(rt->GetPixel(5, 5), kWhite);
    EXPECT_EQ(rt->GetPixel(1, 2), kWhite);

    rt->Clear(RECT{0, 0, 10, 10}, kWhite);
    rt->PushOpacity(128);
    rt->PushOpacity(128);
    rt->FillRect(RECT{0, 0, 10, 10}, kBlack);
    rt->PopOpacity();
    rt->PopOpacity();
    EXPECT_TRUE(Near(rt->GetPixel(3, 3), RGBA(191, 191, 191, 255), 3));  // a quarter of black

    // The invalid colour paints nothing; Clear replaces instead of blending.
    rt->FillRect(RECT{0, 0, 10, 10}, kInvalidColor);
    EXPECT_TRUE(Near(rt->GetPixel(3, 3), RGBA(191, 191, 191, 255), 3));
    rt->Clear(RECT{0, 0, 10, 10}, RGBA(0, 0, 255, 64));
    EXPECT_TRUE(Near(rt->GetPixel(3, 3), RGBA(0, 0, 255, 64)));

    // A layer under a clip lands where it was drawn, and leaves the rest alone.
    rt->Clear(RECT{0, 0, 10, 10}, kWhite);
    rt->PushClipRect(RECT{2, 2, 8, 8});
    rt->PushOpacity(128);
    rt->FillRect(RECT{4, 4, 5, 5}, kBlack);
    rt->FillRect(RECT{0, 6, 10, 10}, kRed);
    rt->PopOpacity();
    rt->PopClip();
    EXPECT_TRUE(Near(rt->GetPixel(4, 4), RGBA(127, 127, 127, 255)));
    EXPECT_EQ(rt->GetPixel(3, 3), kWhite);
    EXPECT_EQ(rt->GetPixel(5, 5), kWhite);
    EXPECT_TRUE(Near(rt->GetPixel(7, 7), RGBA(255, 127, 127, 255)));
    EXPECT_EQ(rt->GetPixel(8, 8), kWhite);
    EXPECT_EQ(rt->GetPixel(1, 7), kWhite);
}

TEST_F(RenderTargetTest, ResizeStartsTransparentAndKeepsTheOldSurfaceOnBadSizes) {
    auto rt = Target(10, 10, kRed);
    ASSERT_TRUE(rt->Resize(SIZE{4, 3}));
    EXPECT_EQ(rt->GetSize().cx, 4);
    EXPECT_EQ(rt->GetSize().cy, 3);
    EXPECT_EQ(rt->GetPixel(3, 2), 0u);
    EXPECT_EQ(rt->GetPixel(4, 0), kInvalidColor);
    rt->FillRect(RECT{0, 0, 4, 3}, kBlue);
    EXPECT_FALSE(rt->Resize(SIZE{0, 5}));
    EXPECT_EQ(rt->GetSize().cx, 4);
    EXPECT_EQ(rt->GetPixel(3, 2), kBlue);
    const PixelView view = rt->Pixels();
    ASSERT_NE(view.data, nullptr);
    EXPECT_EQ(view.data[2 * view.stride / 4 + 3], Premultiplied(kBlue));
}

TEST_F(RenderTargetTest, FrameRectDrawsOnlyTheBorderBand) {
    auto rt = Target(10, 10);
    rt->FrameRect(RECT{1, 1, 9, 9}, kBlue, 2);
    EXPECT_EQ(rt->GetPixel(0, 0), kWhite);
    EXPECT_EQ(rt->GetPixel(1, 1), kBlue);
    EXPECT_EQ(rt->GetPixel(2, 5), kBlue);
    EXPECT_EQ(rt->GetPixel(3, 3), kWhite);
    EXPECT_EQ(rt->GetPixel(8, 8), kBlue);
}

TEST_F(RenderTargetTest, StretchedStripFrameDoesNotBleedIntoItsNeighbour) {
    // A two-state strip: 4x4 red, then 4x4 green. Frame 0 enlarged tenfold must stay pure red.
    auto strip = factory->CreateBitmap(MakeFrame(8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; }));
    ASSERT_TRUE(strip);
    auto rt = Target(40, 40);
    rt->DrawBitmap(RECT{0, 0, 40, 40}, *strip, RECT{0, 0, 4, 4}, 255, ExpandMode::Stretch);
    for (int y = 0; y < 40; y += 3)
        for (int x : {0, 20, 38, 39}) ASSERT_EQ(rt->GetPixel(x, y), kRed) << x << "," << y;

    rt->DrawBitmap(RECT{0, 0, 40, 40}, *strip, RECT{4, 0, 8, 4}, 128, ExpandMode::Stretch);
    EXPECT_TRUE(Near(rt->GetPixel(0, 0), RGBA(127, 128, 0, 255)));  // green at half over red
}

TEST_F(RenderTargetTest, TileRepeatsThePictureUnscaled) {
    auto checker = factory->CreateBitmap(MakeFrame(2, 1, [](int x, int) { return x == 0 ? kRed : kBlue; }));
    auto rt = Target(7, 2);
    rt->DrawBitmap(RECT{1, 0, 7, 2}, *checker, RECT{0, 0, 2, 1}, 255, ExpandMode::Tile);
    EXPECT_EQ(rt->GetPixel(0, 0), kWhite);
    for (int x = 1; x < 7; ++x) EXPECT_EQ(rt->GetPixel(x, 1), (x - 1) % 2 == 0 ? kRed : kBlue) << x;
}

TEST_F(RenderTargetTest, NineGridCornersStayUnscaled) {
    // 9x9 picture, margins 3: each corner is a 3x3 block with one marked pixel; edges green,
    // middle blue. Drawn into 30x20, the corners must come out pixel for pixel.
    const auto paint = [](int x, int y) {
        const bool edgeX = x < 3 || x >= 6, edgeY = y < 3 || y >= 6;
        if (edgeX && edgeY) return (x == 0 || x == 8) && (y == 0 || y == 8) ? kBlack : kRed;
        return edgeX || edgeY ? kGreen : kBlue;
    };
    auto grid = factory->CreateBitmap(MakeFrame(9, 9, paint));
    auto rt = Target(30, 20);
    rt->DrawBitmap9(RECT{0, 0, 30, 20}, *grid, RECT{0, 0, 9, 9}, RECT{3, 3, 3, 3}, 255, ExpandMode::Stretch);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(rt->GetPixel(x, y), paint(x, y));
            EXPECT_EQ(rt->GetPixel(27 + x, y), paint(6 + x, y));
            EXPECT_EQ(rt->GetPixel(x, 17 + y), paint(x, 6 + y));
            EXPECT_EQ(rt->GetPixel(27 + x, 17 + y), paint(6 + x, 6 + y));
        }
    EXPECT_EQ(rt->GetPixel(15, 1), kGreen);  // top edge stretched along x only
    EXPECT_EQ(rt->GetPixel(1, 10), kGreen);
    EXPECT_EQ(rt->GetPixel(15, 10), kBlue);

    // Smaller than the two margins: the corners shrink to fit and nothing lands outside.
    auto small = Target(10, 10);
    small->DrawBitmap9(RECT{2, 2, 6, 6}, *grid, RECT{0, 0, 9, 9}, RECT{3, 3, 3, 3}, 255, ExpandMode::Stretch);
    const RECT ink = InkBounds(*small, kWhite);
    EXPECT_EQ(ink.left, 2);
    EXPECT_EQ(ink.top, 2);
    EXPECT_EQ(ink.right, 6);
    EXPECT_EQ(ink.bottom, 6);
}

TEST_F(RenderTargetTest, TextIsPlacedByItsFormatInsideItsRectangle) {
    auto font = factory->CreateFont(FontDesc{L"微软雅黑", 16});
    const RECT box{10, 10, 190, 50};
    struct Case {
        UINT format;
        const char* what;
    };
    for (const Case& c : {Case{DT_LEFT | DT_TOP | DT_SINGLELINE, "left top"},
                          Case{DT_CENTER | DT_VCENTER | DT_SINGLELINE, "centre"},
                          Case{DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "right bottom"}}) {
        auto rt = Target(200, 60);
        rt->DrawText(L"安装 Setup", box, c.format, *font, kBlack);
        const RECT ink = InkBounds(*rt, kWhite);
        ASSERT_LT(ink.left, ink.right) << c.what;
        EXPECT_GE(ink.left, box.left) << c.what;
        EXPECT_LE(ink.right, box.right) << c.what;
        EXPECT_GE(ink.top, box.top) << c.what;
        EXPECT_LE(ink.bottom, box.bottom) << c.what;
        const int inkMidX = (ink.left + ink.right) / 2, inkMidY = (ink.top + ink.bottom) / 2;
        if (c.format & DT_CENTER) {
            EXPECT_NEAR(inkMidX, 100, 3) << c.what;
            EXPECT_NEAR(inkMidY, 30, 4) << c.what;
        } else if (c.format & DT_RIGHT) {
            EXPECT_GE(ink.right, box.right - 3) << c.what;
            EXPECT_GE(ink.bottom, box.bottom - 8) << c.what;
        } else {
            EXPECT_LE(ink.left, box.left + 3) << c.what;
            EXPECT_LE(ink.top, box.top + 8) << c.what;
        }
    }
}

TEST_F(RenderTargetTest, LongTextIsClippedEllipsisedOrWrapped) {
    auto font = factory->CreateFont(FontDesc{L"宋体", 14});
    const std::wstring longText = L"The quick brown fox jumps over the lazy dog again and again";
    const RECT box{5, 5, 85, 25};

    auto clipped = Target(100, 40);
    clipped->DrawText(longText, box, DT_LEFT | DT_SINGLELINE | DT_VCENTER, *font, kBlack);
    const RECT ink = InkBounds(*clipped, kWhite);
    EXPECT_LE(ink.right, box.right);
    EXPECT_GE(ink.right, box.right - 4);  // text runs up to the edge and is cut there

    auto unclipped = Target(100, 40);
    unclipped->DrawText(longText, box, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP, *font, kBlack);
    EXPECT_GT(InkBounds(*unclipped, kWhite).right, box.right + 10);

    auto ellipsised = Target(100, 40);
    ellipsised->DrawText(longText, box, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, *font,
                         kBlack);
    EXPECT_NE(InkBounds(*ellipsised, kWhite).right, 0);
    // The ellipsis changes what is drawn near the end, not the start.
    bool differsAtEnd = false;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = 60; x < box.right; ++x)
            differsAtEnd |= clipped->GetPixel(x, y) != ellipsised->GetPixel(x, y);
    EXPECT_TRUE(differsAtEnd);

    const SIZE oneLine = font->MeasureText(longText, DT_SINGLELINE, 80);
    const SIZE wrapped = font->MeasureText(longText, DT_WORDBREAK, 80);
    EXPECT_GT(oneLine.cx, 80);
    EXPECT_LE(wrapped.cx, 80);
    EXPECT_GE(wrapped.cy, 3 * font->LineHeight());
    EXPECT_EQ(font->MeasureText(L"", DT_SINGLELINE, 0).cy, font->LineHeight());

    auto multi = Target(100, 100);
    multi->DrawText(longText, RECT{0, 0, 80, 100}, DT_WORDBREAK | DT_CENTER, *font, kBlack);
    const RECT wrapInk = InkBounds(*multi, kWhite);
    EXPECT_LE(wrapInk.right, 80);
    EXPECT_GE(wrapInk.bottom, 2 * font->LineHeight());
}

TEST_F(RenderTargetTest, ChineseFacesDrawRealGlyphsAndStylesChangeTheInk) {
    // "微软雅黑" and "宋体" may not be installed; their fallbacks must still draw each character as
    // itself, so two different words never come out as the same row of placeholder boxes.
    const auto pixelsOf = [&](const std::wstring& text, const FontDesc& desc) {
        auto rt = Target(160, 30);
        rt->DrawText(text, RECT{0, 0, 160, 30}, DT_LEFT | DT_SINGLELINE, *factory->CreateFont(desc), kBlack);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 160; ++x) pixels.push_back(rt->GetPixel(x, y));
        return pixels;
    };
    for (const wchar_t* face : {L"微软雅黑", L"宋体", L""}) {
        auto font = factory->CreateFont(FontDesc{face, 18});
        const SIZE extent = font->MeasureText(L"服务器安装向导", DT_SINGLELINE, 0);
        EXPECT_GT(extent.cx, 7 * 14);  // seven wide characters at 18 px
        EXPECT_EQ(extent.cy, font->LineHeight());
        EXPECT_NE(pixelsOf(L"服务器", FontDesc{face, 18}), pixelsOf(L"安装向", FontDesc{face, 18}));
    }
    EXPECT_EQ(factory->CreateFont(FontDesc{L"宋体", 18}), factory->CreateFont(FontDesc{L"宋体", 18}));
    EXPECT_TRUE(factory->HasFontFace(L"WenQuanYi Micro Hei"));
    EXPECT_FALSE(factory->HasFontFace(L"No Such Face 42"));

    const auto inkOf = [&](const FontDesc& desc) {
        auto rt = Target(120, 40);
        rt->DrawText(L"Install", RECT{0, 0, 120, 40}, DT_LEFT | DT_TOP, *factory->CreateFont(desc), kBlack);
        return InkBounds(*rt, kWhite);
    };
    const RECT plain = inkOf(FontDesc{L"", 20});
    const RECT bigger = inkOf(FontDesc{L"", 30});
    const RECT underlined = inkOf(FontDesc{L"", 20, false, false, true});
    EXPECT_GT(bigger.right - bigger.left, plain.right - plain.left);
    EXPECT_GT(underlined.bottom, plain.bottom);  // the line below the baseline
}

TEST_F(RenderTargetTest, CaretPositionsGrowWithEachCharacter) {
    auto font = factory->CreateFont(FontDesc{L"", 14});
    const std::vector<int> carets = font->CaretPositions(L"ab中");
    ASSERT_EQ(carets.size(), 4u);
    EXPECT_EQ(carets[0], 0);
    EXPECT_LT(carets[1], carets[2]);
    EXPECT_LT(carets[2], carets[3]);
    EXPECT_EQ(carets[3], font->MeasureText(L"ab中", DT_SINGLELINE, 0).cx);
}

TEST_F(RenderTargetTest, DecodedPicturesBecomeBitmapsAndFrames) {
    auto rt = Target(3, 2);
    rt->Clear(RECT{0, 0, 3, 2}, RGBA(10, 20, 30, 128));
    const std::string path = ::testing::TempDir() + "render_target_cairo.png";
    ASSERT_TRUE(rt->SavePng(path));
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::vector<unsigned char> bytes(4096);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    std::remove(path.c_str());

    auto bitmap = factory->LoadBitmap(bytes.data(), bytes.size());
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Width(), 3);
    EXPECT_TRUE(Near(bitmap->GetPixel(2, 1), RGBA(10, 20, 30, 128)));
    auto image = factory->LoadImgX(bytes.data(), bytes.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->FrameCount(), 1);
    EXPECT_EQ(image->GetFrame(1), nullptr);
    EXPECT_EQ(factory->LoadBitmap(bytes.data(), 10), nullptr);
    EXPECT_EQ(factory->CreateBitmap(ImgFrame{2, 2, {0, 0, 0}, 0}), nullptr);
    EXPECT_FALSE(rt->SavePng("/nonexistent-dir/x.png"));
}

}  // namespace
