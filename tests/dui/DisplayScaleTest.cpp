// Display scales: the percent a DPI stands for, the LARKHOLM_SCALE override, which picture is drawn
// at which scale, and skins of the system package taken at scales they were and were not drawn for.
#include <gtest/gtest.h>

#include <set>

#include "dui/src/host/DisplayScale.h"
#include "dui/src/skin/PictureScale.h"
#include "dui/src/skin/SSkinImgFrame.h"
#include "tests/dui/support/CoreTestEnv.h"
#include "tests/testing/Environment.h"

namespace {

TEST(DisplayScale, FollowsTheDpiWithinTheSupportedRange) {
    const struct {
        double dpi;
        int scale;
    } cases[] = {{96, 100},  {120, 125}, {144, 150}, {168, 175}, {192, 200}, {240, 250},
                 {101, 105}, {0, 100},   {-1, 100},  {20, 50},   {960, 500}};
    for (const auto& c : cases) EXPECT_EQ(ScaleFromDpi(c.dpi), c.scale) << c.dpi;
}

TEST(DisplayScale, OverrideTakesOnlyAWholePercentInRange) {
    const struct {
        const char* value;
        int scale;  // 0: ignored
    } cases[] = {{"150", 150}, {"50", 50}, {"500", 500}, {"", 0},    {"49", 0},
                 {"501", 0},   {"abc", 0}, {"150%", 0},  {"1.5", 0}, {"-150", 0}};
    for (const auto& c : cases) {
        larkholm::testing::SetEnv("LARKHOLM_SCALE", c.value);
        EXPECT_EQ(ScaleOverride().value_or(0), c.scale) << '"' << c.value << '"';
        EXPECT_EQ(EffectiveScale(125), c.scale != 0 ? c.scale : 125) << '"' << c.value << '"';
    }
    larkholm::testing::UnsetEnv("LARKHOLM_SCALE");
    EXPECT_EQ(EffectiveScale(200), 200);
}

TEST(PictureScale, TakesTheExactOrNearestLargerPicture) {
    const std::set<int> all{100, 125, 150, 200, 250};
    const std::set<int> two{100, 200};
    const struct {
        const std::set<int>* drawn;
        int target;
        int picked;
    } cases[] = {
        {&all, 100, 100}, {&all, 110, 125}, {&all, 125, 125}, {&all, 140, 150}, {&all, 150, 150},
        {&all, 175, 200}, {&all, 200, 200}, {&all, 225, 250}, {&all, 250, 250}, {&all, 300, 250},
        {&all, 50, 100},  {&two, 125, 200}, {&two, 250, 200}, {&two, 75, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PickPictureScale(c.target, [&](int s) { return c.drawn->count(s) > 0; }), c.picked)
            << c.target;
    }
    EXPECT_EQ(PickPictureScale(150, [](int) { return false; }), 0);
    EXPECT_EQ(PictureVariantId(L"PNG:SYS_ICONS", 100), L"PNG:SYS_ICONS");
    EXPECT_EQ(PictureVariantId(L"PNG:SYS_ICONS", 150), L"PNG:SYS_ICONS@150");
}

// The system package holds every picture at the five picture scales; a skin asked for at another
// scale is made from the next larger picture, at the size and margins of that scale.
TEST(PictureScale, SkinsOfTheSystemPackageFollowTheScale) {
    CoreTestEnv env;
    ASSERT_EQ(env.Context().LoadSystemResources(&env.Provider()), 0);
    SSkinPoolMgr& pools = env.Context().GetSkinPoolMgr();
    auto* base = static_cast<SSkinImgFrame*>(pools.FindSkin(L"_skin.sys.btn.normal", 100));
    ASSERT_NE(base, nullptr);
    const SIZE size = base->GetSkinSize();
    for (int scale : {100, 125, 150, 175, 200, 250, 300}) {
        auto* skin = static_cast<SSkinImgFrame*>(pools.FindSkin(L"_skin.sys.btn.normal", scale));
        ASSERT_NE(skin, nullptr) << scale;
        EXPECT_EQ(skin->GetScale(), scale);
        EXPECT_EQ(skin->GetStates(), base->GetStates());
        EXPECT_EQ(skin->GetSkinSize().cx, ScaleLength(size.cx, scale, 100)) << scale;
        EXPECT_EQ(skin->GetSkinSize().cy, ScaleLength(size.cy, scale, 100)) << scale;
        EXPECT_EQ(skin->GetMargin().left, ScaleLength(base->GetMargin().left, scale, 100)) << scale;
        // Made once per scale, then shared.
        EXPECT_EQ(pools.FindSkin(L"_skin.sys.btn.normal", scale), skin);
    }
}

TEST(PictureScale, SkinWithoutPictureVariantsIsDrawnAsItIs) {
    CoreTestEnv env(L"uidef:xml_init");
    pugi::xml_document doc;
    doc.load_string(R"(<imglist src="IMG:image_bk_png" states="2"/>)");
    SAutoRefPtr<ISkinObj> skin = env.Context().GetObjectFactory().Create<ISkinObj>(L"imglist");
    skin->InitFromXml(doc.first_child());
    skin->SetName(L"two");
    env.Context().GetSkinPoolMgr().GetSystemSkinPool().AddSkin(skin.get());
    // Only the 100 % picture exists: 150 % takes it, scaled up, at 150 % sizes.
    ISkinObj* scaled = env.Context().GetSkinPoolMgr().FindSkin(L"two", 150);
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(scaled->GetSkinSize().cx, 3);
    EXPECT_EQ(scaled->GetSkinSize().cy, 3);
    EXPECT_EQ(env.Context().GetSkinPoolMgr().FindSkin(L"nothing", 150), nullptr);
}

}  // namespace
