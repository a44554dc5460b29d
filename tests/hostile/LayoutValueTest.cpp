// Layout texts come from resources, and a broken or hostile one may say anything: sizes of 1e10,
// "inf" or "nan" must turn into pixels the layouts can add up, never into undefined conversions.
#include <gtest/gtest.h>

#include "dui/include/core/SLayoutSize.h"

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

}  // namespace
