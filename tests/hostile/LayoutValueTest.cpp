// Layout texts come from resources, and a broken or hostile one may say anything: sizes of 1e10,
// "inf" or "nan" must turn into pixels the layouts can add up, never into undefined conversions.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dui/include/core/SLayoutSize.h"
#include "dui/src/layout/SAnchorLayout.h"

namespace {

TEST(LayoutValue, OutlandishSizesStayWithinThePixelRange) {
    constexpr int kMax = 1 << 20;
    const struct {
        const wchar_t* text;
        int scale;
        int pixels;
    } cases[] = {
        {L"7.9", 100, 7},         {L"12dp", 125, 15},     {L"-38", 100, -38},     {L"1e10", 100, kMax},
        {L"-1e10px", 100, -kMax}, {L"1e30dp", 150, kMax}, {L"3e38sp", 200, kMax}, {L"inf", 100, kMax},
        {L"-inf", 100, -kMax},    {L"nan", 100, 0},       {L"nandp", 125, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SLayoutSize::Parse(c.text).ToPixels(c.scale), c.pixels) << c.text << " at " << c.scale;
}

// Each child placed a huge distance after the one before it, and one shifted by a huge fraction of
// its size: every coordinate ends inside the layout's range instead of overflowing on the way.
TEST(LayoutValue, AnchorLayoutCoordinatesStayInRange) {
    constexpr int kMaxCoordinate = 1 << 24;
    std::vector<std::unique_ptr<SAnchorLayoutParam>> params;
    std::vector<SLayoutChild> children;
    const auto add = [&](const std::wstring& pos, const std::wstring& offset) {
        params.push_back(std::make_unique<SAnchorLayoutParam>());
        params.back()->ApplyAttribute(L"pos", pos);
        params.back()->ApplyAttribute(L"offset", offset);
        SLayoutChild child;
        child.param = params.back().get();
        child.id = int(children.size()) + 1;
        child.desiredSize = [](int, int) { return SIZE{40, 16}; };
        children.push_back(std::move(child));
    };
    add(L"10,10,@100,@100", L"1e30,-1e30");
    // Without limits the sum passes 2^31 after 2048 steps of 2^20.
    for (int i = 0; i < 2100; ++i) add(L"[1e10,{-1e10", L"");

    const std::vector<RECT> rects = SAnchorLayout().CalculateLayout(children, RECT{0, 0, 666, 474});
    ASSERT_EQ(rects.size(), children.size());
    EXPECT_EQ(rects[0].left, kMaxCoordinate);
    EXPECT_EQ(rects[0].top, 10 - kMaxCoordinate);
    for (const RECT& rect : rects) {
        for (const LONG coordinate : {rect.left, rect.top, rect.right, rect.bottom}) {
            EXPECT_LE(coordinate, kMaxCoordinate);
            EXPECT_GE(coordinate, -kMaxCoordinate);
        }
    }
    EXPECT_EQ(rects.back().left, kMaxCoordinate);
    EXPECT_EQ(rects.back().top, -kMaxCoordinate);
}

}  // namespace
