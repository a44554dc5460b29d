// The anchor and linear layouts, placed through real trees built from layout XML. Each case is a
// layout and the rectangles its named windows must get.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

#include "dui/src/layout/SAnchorLayout.h"
#include "tests/dui/support/CoreTestEnv.h"

namespace {

struct LayoutCase {
    const char* title;
    const char* xml;  // the root's children
    int width, height;
    std::vector<std::pair<const wchar_t*, const char*>> expected;  // name -> "l,t,r,b"
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.title;
}

// "full width strip at the top" -> "FullWidthStripAtTheTop".
std::string CaseName(const ::testing::TestParamInfo<LayoutCase>& info) {
    std::string name;
    bool upper = true;
    for (const char* p = info.param.title; *p; ++p) {
        if (!std::isalnum(static_cast<unsigned char>(*p))) {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
        upper = false;
    }
    return name;
}

class Layout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, PlacesEveryWindow) {
    const LayoutCase& c = GetParam();
    CoreTestEnv env;
    TestTreeHost host(env.Factory());
    ASSERT_TRUE(host.Load(std::string("<root>") + c.xml + "</root>", c.width, c.height));
    for (const auto& [name, rect] : c.expected) {
        SWindow* wnd = host.FindChildByName(name);
        ASSERT_NE(wnd, nullptr) << name;
        EXPECT_EQ(RectText(wnd->GetWindowRect()), rect) << name;
    }
}

const LayoutCase kAnchorCases[] = {
    {"full width strip at the top",
     R"(<window name="caption" pos="0,0,-0,60"/>)",
     666,
     474,
     {{L"caption", "0,0,666,60"}}},
    {"button from the right edge, sized by its content",
     R"(<window name="caption" pos="0,0,-0,60"><sized name="close" desired="26,26" pos="-38,12"/></window>)",
     666,
     474,
     {{L"close", "628,12,654,38"}}},
    {"panel centred by its size",
     R"(<window name="panel" pos="|-204,|-116" width="409" height="232"/>)",
     666,
     474,
     {{L"panel", "129,121,538,353"}}},
    {"one-pixel strip below the previous sibling",
     R"(<window name="top" pos="0,0,-0,60"/><window name="line" pos="0,[0,-0,@1"/>)",
     666,
     474,
     {{L"line", "0,60,666,61"}}},
    {"page starting 60 px above the previous sibling's top",
     R"(<window name="a" pos="0,100,-0,-0"/><window name="overlay" pos="0,{-60,-0,-0"/>)",
     666,
     474,
     {{L"overlay", "0,40,666,474"}}},
    {"first child after a missing previous sibling",
     R"(<sized name="link" desired="40,16" pos="[4,12"/>)",
     666,
     474,
     {{L"link", "4,12,44,28"}}},
    {"default position follows the previous sibling",
     R"(<sized name="a" desired="30,10" pos="5,7"/><sized name="b" desired="20,10"/>)",
     200,
     100,
     {{L"a", "5,7,35,17"}, {L"b", "35,7,55,17"}}},
    {"percent from both ends",
     R"(<sized name="p" desired="10,10" pos="%25,%-25"/>)",
     666,
     474,
     {{L"p", "166,355,176,365"}}},
    {"offset by a fraction of its own size",
     R"(<window name="o" pos="|0,|0" size="100,50" offset="-0.5,-0.5"/>)",
     666,
     474,
     {{L"o", "283,212,383,262"}}},
    {"before and with the next sibling",
     R"(<sized name="a" desired="20,10" pos="]-10,0"/><window name="b" pos="100,0,@50,@10"/><sized name="c" desired="5,5" pos="}0,{0"/>)",
     300,
     100,
     {{L"a", "90,0,110,10"}, {L"b", "100,0,150,10"}, {L"c", "300,0,305,5"}}},
    {"sibling edges by id",
     R"(<window name="a" id="7" pos="50,20,@30,@10"/><sized name="b" desired="8,8" pos="sib.right@7:4,sib.bottom@7:-2"/><sized name="c" desired="8,8" pos="sib.left@7:0,sib.top@7:0"/>)",
     300,
     100,
     {{L"b", "84,28,92,36"}, {L"c", "50,20,58,28"}}},
    {"inside the parent's client area, margins and all",
     R"(<window name="framed" pos="10,10,-10,-10" margin="5"><window name="inner" pos="0,0,-0,-0"/></window>)",
     100,
     80,
     {{L"framed", "10,10,90,70"}, {L"inner", "15,15,85,65"}}},
    {"wrap-content parent measured from its children",
     R"(<window name="box" pos="10,10"><sized name="a" desired="30,20" pos="5,5"/><sized name="b" desired="10,10" pos="[5,0"/></window>)",
     200,
     100,
     {{L"box", "10,10,60,35"}, {L"b", "50,10,60,20"}}},
    {"floating and hidden windows take no part",
     R"(<window name="a" pos="0,0,@10,@10"/><window name="gone" visible="0" display="0" pos="0,0,@50,@10"/><window name="kept" visible="0" pos="[0,0,@20,@10"/><window name="b" pos="[0,0,@10,@10"/>)",
     200,
     100,
     {{L"a", "0,0,10,10"}, {L"kept", "10,0,30,10"}, {L"b", "30,0,40,10"}}},
};
INSTANTIATE_TEST_SUITE_P(Anchor, Layout, ::testing::ValuesIn(kAnchorCases), CaseName);

const LayoutCase kLinearCases[] = {
    {"weighted child takes the rest of a vbox",
     R"(<window pos="0,0,-0,-0" layout="vbox"><window name="a" size="-2,100"/><window name="b" size="-2,0" weight="1"/></window>)",
     666,
     434,
     {{L"a", "0,0,666,100"}, {L"b", "0,100,666,434"}}},
    {"content-sized width in an hbox",
     R"(<window pos="0,0,-0,-0" layout="hbox"><sized name="a" desired="37,12" size="-1,40"/></window>)",
     666,
     40,
     {{L"a", "0,0,37,40"}}},
    {"pos is ignored in a vbox; layout_gravity centres",
     R"(<window pos="0,0,-0,-0" layout="vbox"><window name="a" pos="50,50" size="100,20" layout_gravity="center"/><window name="b" size="100,20" layout_gravity="right"/></window>)",
     666,
     474,
     {{L"a", "283,0,383,20"}, {L"b", "566,20,666,40"}}},
    {"an extend leaves a gap counted in the row",
     R"(<window pos="0,0,-0,-0" layout="hbox"><window name="a" size="50,20" extend="12,0,0,0"/><window name="b" size="30,20"/></window>)",
     666,
     40,
     {{L"a", "12,0,62,20"}, {L"b", "62,0,92,20"}}},
    {"extends around a block in a vbox with the layout's gravity",
     R"(<window pos="0,0,-0,-0" layout="vbox" gravity="center"><window name="a" size="300,100" extend="0,50,0,0"/></window>)",
     666,
     474,
     {{L"a", "183,50,483,150"}}},
    {"weight shares lose the integer remainder",
     R"(<window pos="0,0,-0,-0" layout="hbox"><window name="a" size="0,10" weight="1"/><window name="b" size="0,10" weight="1"/><window name="c" size="0,10" weight="1"/></window>)",
     100,
     10,
     {{L"a", "0,0,33,10"}, {L"b", "33,0,66,10"}, {L"c", "66,0,99,10"}}},
    {"no weight growth when the boxes already overflow",
     R"(<window pos="0,0,-0,-0" layout="vbox"><window name="a" size="10,80"/><window name="b" size="10,40" weight="1"/></window>)",
     50,
     100,
     {{L"a", "0,0,10,80"}, {L"b", "0,80,10,120"}}},
    {"huge weights share the room; an infinite weight is refused",
     R"(<window pos="0,0,-0,-0" layout="hbox"><window name="a" size="0,10" weight="3e38"/><window name="b" size="0,10" weight="3e38"/><window name="c" size="0,10" weight="inf"/></window>)",
     100,
     10,
     {{L"a", "0,0,50,10"}, {L"b", "50,0,100,10"}, {L"c", "100,0,100,10"}}},
    {"orientation attribute of linearLayout",
     R"(<window pos="0,0,-0,-0" layout="linearLayout" orientation="horizontal"><window name="a" size="10,10"/><window name="b" size="10,10"/></window>)",
     50,
     50,
     {{L"b", "10,0,20,10"}}},
    {"wrap-content vbox measured from its boxes",
     R"(<window name="box" pos="0,0" layout="vbox"><window size="40,10"/><window size="60,15" extend="0,5,0,0"/></window>)",
     200,
     200,
     {{L"box", "0,0,60,30"}}},
};
INSTANTIATE_TEST_SUITE_P(Linear, Layout, ::testing::ValuesIn(kLinearCases), CaseName);

TEST(AnchorLayout, ThreeItemPosFailsAndKeepsTheParameters) {
    SAnchorLayoutParam param;
    ASSERT_EQ(param.ApplyAttribute(L"pos", L"0,0,-0,60"), AttrResult::kOk);
    EXPECT_EQ(param.ApplyAttribute(L"pos", L"1,2,3"), AttrResult::kFailed);
    EXPECT_EQ(param.ApplyAttribute(L"pos", L"sib.left@0:3,0"), AttrResult::kFailed);
    EXPECT_EQ(param.count, 4);
    EXPECT_TRUE(param.width.IsMatchParent());
    EXPECT_EQ(param.y2.distance.value, 60.0f);
    EXPECT_EQ(param.ApplyAttribute(L"size", L"1"), AttrResult::kFailed);
    EXPECT_EQ(param.ApplyAttribute(L"offset", L"0.5"), AttrResult::kFailed);
}

TEST(AnchorLayout, CircularSiblingReferencesEndAtZero) {
    SAnchorLayoutParam a, b, c;
    a.ApplyAttribute(L"pos", L"sib.right@2:0,sib.bottom@2:0");
    b.ApplyAttribute(L"pos", L"sib.right@1:0,sib.bottom@1:0");
    c.ApplyAttribute(L"pos", L"5,5,@10,@10");
    const SIZE fixed{10, 10};
    auto measure = [fixed](int, int) { return fixed; };
    const std::vector<SLayoutChild> children = {
        {&a, 1, 100, measure}, {&b, 2, 100, measure}, {&c, 3, 100, measure}};
    const std::vector<RECT> rects = SAnchorLayout().CalculateLayout(children, RECT{100, 100, 300, 300});
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(RectText(rects[0]), "100,100,100,100");
    EXPECT_EQ(RectText(rects[1]), "100,100,100,100");
    EXPECT_EQ(RectText(rects[2]), "105,105,115,115");
}

TEST(LayoutSize, ParsesUnitsAndSpecialValues) {
    struct Case {
        const wchar_t* text;
        int pixels;  // at scale 150
    } cases[] = {{L"10", 10},          {L"10.9px", 10}, {L"10dp", 15}, {L"3DIP", 5},
                 {L"2sp", 3},          {L"-1", -1},     {L"-2", -2},   {L"wrapContent", -1},
                 {L"matchParent", -2}, {L"FULL", -2},   {L"7em", 7}};
    for (const Case& c : cases)
        EXPECT_EQ(SLayoutSize::ParseWidthHeight(c.text).ToPixels(150), c.pixels) << c.text;
}

TEST(Relayout, TextOfAContentSizedWindowMovesItsFollowers) {
    CoreTestEnv env;
    TestTreeHost host(env.Factory());
    ASSERT_TRUE(host.Load(
        R"(<root><window name="label" pos="0,0" text="ab"/><sized name="next" desired="5,5" pos="[0,0"/></root>)",
        400, 100));
    SWindow* label = host.FindChildByName(L"label");
    SWindow* next = host.FindChildByName(L"next");
    const LONG before = next->GetWindowRect().left;
    EXPECT_EQ(before, label->GetWindowRect().right);
    EXPECT_GT(before, 0);
    label->SetText(L"a much longer label text");
    EXPECT_TRUE(host.IsLayoutDirty());
    host.UpdateLayout();
    EXPECT_GT(next->GetWindowRect().left, before);
    EXPECT_EQ(next->GetWindowRect().left, label->GetWindowRect().right);
}

}  // namespace
