// What the host shows, read back from its frame: skins drawn by state (a disabled button shows its
// fourth frame), nine-grid corners copied unscaled, text kept inside its insets, translucent
// colours and per-window opacity, and the frame saved as a PNG file.
#include <gtest/gtest.h>

#include <algorithm>

#include "dui/src/control/SImageWnd.h"
#include "tests/dui/support/HostTestEnv.h"

namespace {

constexpr COLORREF kWhite = RGBA(255, 255, 255, 255);
constexpr COLORREF kBlack = RGBA(0, 0, 0, 255);
// The fill of each of the four state frames: normal, hover, pushed, disabled.
constexpr COLORREF kFrameFill[4] = {RGBA(200, 0, 0, 255), RGBA(0, 200, 0, 255), RGBA(0, 0, 200, 255),
                                    RGBA(120, 120, 120, 255)};

// A 4-frame strip of 12x12 frames with 3-pixel margins: each frame's top-left corner holds a
// diagonal of black pixels (0,0), (1,1), (2,2) on yellow, the rest is the frame's fill.
COLORREF StripPixel(int x, int y) {
    const int frame = x / 12, fx = x % 12;
    if (fx < 3 && y < 3) return fx == y ? kBlack : RGBA(255, 255, 0, 255);
    return kFrameFill[frame];
}

class HostRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string strip = env.Picture("strip", 48, 12, StripPixel);
        const std::string layout = R"(<DUI width="300" height="200">
  <skin><imgframe name="skin_btn" src=")" +
                                   strip + R"(" states="4" margin="3,3,3,3"/>
    <imglist name="skin_strip" src=")" +
                                   strip + R"(" states="4"/></skin>
  <root colorBkgnd="#ffffffff">
    <button name="btn_on" pos="10,10,@60,@30" skin="skin_btn"/>
    <button name="btn_off" pos="80,10,@60,@30" skin="skin_btn" enable="0"/>
    <text name="lb_inset" pos="10,60,@200,@30" inset="30,0,30,0" align="left" colorText="#000000ff"
          font="size:16">WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW</text>
    <window name="win_tint" pos="10,100,@50,@20" colorBkgnd="#ff000080"/>
    <window name="win_fade" pos="70,100,@50,@20" colorBkgnd="#000000ff" alpha="64"/>
    <img name="img_icon" pos="150,100,@24,@24" skin="skin_btn"/>
    <imgbtn name="btn_corner" pos="-38,12" skin="skin_btn"/>
  </root>
</DUI>)";
        wnd = std::make_unique<RecordingHost>(env.Layout(layout));
        ASSERT_NE(wnd->Create(nullptr, 0, 0, 0, 0), nullptr);
        wnd->ShowWindow(SW_SHOW);
        ui = std::make_unique<HeadlessDriver>(env.Host(), *wnd);
    }
    COLORREF At(int x, int y) { return ui->PixelAt(POINT{x, y}); }

    HostTestEnv env;
    std::unique_ptr<RecordingHost> wnd;
    std::unique_ptr<HeadlessDriver> ui;
};

TEST_F(HostRenderTest, ButtonsShowTheirStateFrameWithUnscaledCorners) {
    EXPECT_EQ(At(40, 25), kFrameFill[0]);
    EXPECT_EQ(At(110, 25), kFrameFill[3]);  // disabled: the fourth frame
    // A picture button without a size takes its skin's frame size.
    const RECT corner = ui->Find(L"btn_corner")->GetWindowRect();
    EXPECT_EQ(corner.left, 262);
    EXPECT_EQ(corner.right - corner.left, 12);
    EXPECT_EQ(corner.bottom - corner.top, 12);
    // The 3x3 corners are the frame's own pixels, though the button is five times the frame.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(At(10 + x, 10 + y), StripPixel(x, y)) << x << "," << y;
            EXPECT_EQ(At(80 + x, 10 + y), StripPixel(36 + x, y)) << x << "," << y;
        }
    // The far corners come from the frame's far corners (plain fill here), the edges from the
    // frame's edges; nothing of the neighbouring frame bleeds in.
    EXPECT_EQ(At(69, 39), kFrameFill[0]);
    EXPECT_EQ(At(69, 10), kFrameFill[0]);

    env.Host().MouseMove(wnd->GetHwnd(), POINT{40, 25});
    EXPECT_EQ(At(40, 25), kFrameFill[1]);  // hover
    env.Host().MouseDown(wnd->GetHwnd(), POINT{40, 25});
    EXPECT_EQ(At(40, 25), kFrameFill[2]);  // pushed
    env.Host().MouseUp(wnd->GetHwnd(), POINT{40, 25});
    EXPECT_EQ(At(40, 25), kFrameFill[1]);
}

TEST_F(HostRenderTest, TextStaysInsideItsInsets) {
    // A line far wider than the label: it is drawn from the left inset and cut at the right one.
    int left = 300, right = 0;
    for (int y = 60; y < 90; ++y)
        for (int x = 10; x < 210; ++x)
            if (At(x, y) != kWhite) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(left, 40);
    EXPECT_LE(left, 43);
    EXPECT_LT(right, 180);
    EXPECT_GE(right, 175);
}

TEST_F(HostRenderTest, TranslucentColoursAndWindowOpacityBlendOverWhatIsBelow) {
    const COLORREF tint = At(20, 110);  // #ff000080 over white
    EXPECT_EQ(ColorRed(tint), 255);
    EXPECT_NEAR(ColorGreen(tint), 127, 2);
    const COLORREF faded = At(80, 110);  // black at 64/255 over white
    EXPECT_NEAR(ColorRed(faded), 191, 2);
    EXPECT_EQ(ColorAlpha(faded), 255);
}

TEST_F(HostRenderTest, PictureWindowTakesANewSkinAtRunTime) {
    EXPECT_EQ(At(162, 112), kFrameFill[0]);
    auto* image = wnd->FindChildByName2<SImageWnd>(L"img_icon");
    ASSERT_NE(image, nullptr);
    ISkinObj* strip = env.App().GetSkinPoolMgr().FindSkin(L"skin_strip");
    ASSERT_NE(strip, nullptr);
    image->SetSkin(strip, 2);
    EXPECT_EQ(At(162, 112), kFrameFill[2]);
    image->SetSkin(env.App().GetSkinPoolMgr().FindSkin(L"skin_strip"));  // frame 0 by default
    EXPECT_EQ(At(162, 112), kFrameFill[0]);
}

TEST_F(HostRenderTest, SavedFrameIsTheWindowsPicture) {
    const std::string path = env.dir / "frame.png";
    ASSERT_TRUE(ui->SaveFrame(path));
    const std::string bytes = larkholm::testing::ReadFile(path);
    auto picture = env.Factory().LoadBitmap(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 300);
    EXPECT_EQ(picture->Height(), 200);
    EXPECT_EQ(picture->GetPixel(110, 25), kFrameFill[3]);
}

}  // namespace
