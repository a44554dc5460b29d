// Skins drawn through the real render target: the state picked from an image strip, and a window
// choosing its skin state from its own state.
#include <gtest/gtest.h>

#include "dui/include/core/IRenderTarget.h"
#include "dui/src/skin/SSkinImgFrame.h"
#include "tests/dui/support/CoreTestEnv.h"

namespace {

// The test picture IMG:IMAGE_BK_PNG is 4 x 2: two red columns, then two blue ones.
constexpr COLORREF kRed = RGBA(255, 0, 0, 255);
constexpr COLORREF kBlue = RGBA(0, 0, 255, 255);

class Skin : public ::testing::Test {
protected:
    Skin() : env(L"uidef:xml_init") {
        target = env.Factory().CreateRenderTarget(SIZE{20, 10});
        target->Clear(RECT{0, 0, 20, 10}, RGBA(0, 0, 0, 0));
    }
    SAutoRefPtr<ISkinObj> Make(const char* xml) {
        pugi::xml_document doc;
        doc.load_string(xml);
        SAutoRefPtr<ISkinObj> skin =
            env.Context().GetObjectFactory().Create<ISkinObj>(XmlText(doc.first_child().name()));
        skin->InitFromXml(doc.first_child());
        return skin;
    }
    CoreTestEnv env;
    std::unique_ptr<IRenderTarget> target;
};

TEST_F(Skin, ImageListDrawsTheRequestedState) {
    SAutoRefPtr<ISkinObj> list = Make(R"(<imglist src="IMG:image_bk_png" states="2"/>)");
    EXPECT_EQ(list->GetSkinSize().cx, 2);
    list->Draw(*target, RECT{0, 0, 10, 10}, 1);
    list->Draw(*target, RECT{10, 0, 20, 10}, 0);
    EXPECT_EQ(target->GetPixel(5, 5), kBlue);
    EXPECT_EQ(target->GetPixel(15, 5), kRed);
    list->Draw(*target, RECT{0, 0, 10, 10}, 2);  // no such state: nothing drawn
    EXPECT_EQ(target->GetPixel(5, 5), kBlue);
}

TEST_F(Skin, FrameKeepsItsMarginsUnscaled) {
    SAutoRefPtr<ISkinObj> frame =
        Make(R"(<imgframe src="IMG:image_bk_png" left="2" top="0" right="2" bottom="0"/>)");
    frame->Draw(*target, RECT{0, 0, 20, 10}, 0);
    EXPECT_EQ(target->GetPixel(1, 5), kRed);
    EXPECT_EQ(target->GetPixel(18, 5), kBlue);
    EXPECT_EQ(static_cast<SSkinImgFrame*>(frame.get())->GetMargin().right, 2);
    EXPECT_FALSE(Make(R"(<imgframe src="IMG:nothing"/>)")->GetSkinSize().cx);
}

TEST_F(Skin, WindowDrawsTheStateOfItsSkin) {
    TestTreeHost host(env.Factory());
    SAutoRefPtr<ISkinObj> made = Make(R"(<imglist src="IMG:image_bk_png" states="2"/>)");
    made->SetName(L"two");
    env.Context().GetSkinPoolMgr().GetSystemSkinPool().AddSkin(made.get());
    ISkinObj* two = env.Context().GetSkinPoolMgr().FindSkin(L"two");
    ASSERT_EQ(two, made.get());
    ASSERT_TRUE(host.Load(R"(<root><window name="w" pos="0,0,@20,@10" skin="two"/></root>)", 20, 10));
    SWindow* w = host.FindChildByName(L"w");
    host.Draw(*target, RECT{0, 0, 20, 10});
    EXPECT_EQ(target->GetPixel(10, 5), kRed);
    w->SetCheck(true);  // pushed or checked: state 2, which this skin lacks, so state 0
    EXPECT_EQ(w->GetSkinStateIndex(*two), 0);
    w->ChangeState(WndState_Hover, WndState_Check, false);
    host.Draw(*target, RECT{0, 0, 20, 10});
    EXPECT_EQ(target->GetPixel(10, 5), kBlue);
}

}  // namespace
