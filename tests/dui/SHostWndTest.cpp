// The host window on the headless host: building from a layout, the window's size, title and
// styles, event routing to the owner's handler, the caption, keyboard focus and system commands.
#include <gtest/gtest.h>

#include <algorithm>

#include "dui/include/core/SEvents.h"
#include "tests/dui/support/HostWindowTest.h"

namespace {

// Two buttons and a caption in a 666 x 474 window; the root element spelled in lower case.
constexpr const char* kLayout =
    R"(<dui title="Larkholm Setup" width="666" height="474" resizable="1" appWnd="1"
     wndType="appMain" alpha="200">
  <root colorBkgnd="#203040ff">
    <caption name="caption" pos="0,0,-0,60"/>
    <button name="btn_ok" pos="10,100,@100,@30" colorBkgnd="#ffffffff">OK</button>
    <button name="btn_other" pos="10,150,@100,@30">Other</button>
    <button name="btn_off" pos="10,200,@100,@30" enable="0">Off</button>
  </root>
</dui>)";

class SHostWndTest : public HostWindowTest {
protected:
    void SetUp() override { Open(kLayout); }
};

TEST_F(SHostWndTest, ZeroRectangleTakesTheLayoutSizeTitleAndStyles) {
    const RECT rc = Real().GetWindowRect();
    EXPECT_EQ(rc.right - rc.left, 666);
    EXPECT_EQ(rc.bottom - rc.top, 474);
    EXPECT_EQ(Real().title, L"Larkholm Setup");
    EXPECT_EQ(Real().opacity, 200);
    EXPECT_EQ(Real().style,
              WS_POPUP | WS_CLIPCHILDREN | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU);
    EXPECT_EQ(Real().exStyle, WS_EX_APPWINDOW);
    EXPECT_EQ(wnd->GetHostAttr().wndType, HostWndType::kAppMain);
    EXPECT_EQ(std::count(wnd->events.begin(), wnd->events.end(), L"@"), 1);  // EventInit has no name
    ASSERT_NE(ui->Find(L"btn_ok"), nullptr);
    EXPECT_EQ(ui->Find(L"btn_ok")->GetWindowRect().right, 110);

    wnd->CenterWindow();  // on the 1280 x 800 work area
    EXPECT_EQ(Real().GetWindowRect().left, 640 - 333);
    EXPECT_EQ(Real().GetWindowRect().top, 400 - 237);
}

TEST_F(SHostWndTest, ClickRaisesOneCommandOnlyWhenReleasedInside) {
    ASSERT_TRUE(ui->Click(L"btn_ok"));
    EXPECT_EQ(wnd->Commands(L"btn_ok"), 1);

    // Press on the button, move out, release outside: cancelled.
    env.Host().MouseDown(wnd->GetHwnd(), POINT{50, 115});
    env.Host().MouseMove(wnd->GetHwnd(), POINT{300, 300});
    env.Host().MouseUp(wnd->GetHwnd(), POINT{300, 300});
    ui->Pump();
    EXPECT_EQ(wnd->Commands(L"btn_ok"), 1);

    ASSERT_TRUE(ui->Click(L"btn_off"));
    EXPECT_EQ(wnd->Commands(L"btn_off"), 0);  // disabled
}

TEST_F(SHostWndTest, SubscriberThatStopsBubblingKeepsTheEventFromTheOwner) {
    SWindow* ok = ui->Find(L"btn_ok");
    int seen = 0;
    ok->SubscribeEvent(EventCmd::kEventId, [&](EventArgs& evt) {
        ++seen;
        evt.bubbleUp = false;
        return true;
    });
    ui->Click(L"btn_ok");
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(wnd->Commands(L"btn_ok"), 0);

    ui->Click(L"btn_other");  // its events still reach the owner
    EXPECT_EQ(wnd->Commands(L"btn_other"), 1);
}

TEST_F(SHostWndTest, TabMovesFocusAndEnterPressesTheFocusedButton) {
    SWindow* ok = ui->Find(L"btn_ok");
    SWindow* other = ui->Find(L"btn_other");
    ui->Press(VK_TAB);
    EXPECT_EQ(wnd->GetSwndContainer().GetFocus(), ok);
    ui->Press(VK_TAB);
    EXPECT_EQ(wnd->GetSwndContainer().GetFocus(), other);
    ui->Press(VK_TAB);  // the disabled button is skipped: back to the first
    EXPECT_EQ(wnd->GetSwndContainer().GetFocus(), ok);
    ui->Press(VK_TAB, true);
    EXPECT_EQ(wnd->GetSwndContainer().GetFocus(), other);
    ui->Press(VK_RETURN);
    EXPECT_EQ(wnd->Commands(L"btn_other"), 1);
}

TEST_F(SHostWndTest, CaptionDragsAndItsDoubleClickMaximisesAndRestores) {
    const RECT before = Real().GetWindowRect();
    ui->ClickAt(POINT{300, 30});
    EXPECT_EQ(Real().moveDrags, 1);

    ui->DoubleClickAt(POINT{300, 30});
    EXPECT_TRUE(Real().IsMaximized());
    EXPECT_EQ(Real().GetWindowRect().right, 1280);
    EXPECT_EQ(wnd->GetWindowRect().bottom, 800);  // the tree follows the new size
    ui->DoubleClickAt(POINT{300, 30});
    EXPECT_FALSE(Real().IsMaximized());
    EXPECT_EQ(Real().GetWindowRect().right, before.right);

    // A maximised window's caption does not move it.
    wnd->SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    const int drags = Real().moveDrags;
    ui->ClickAt(POINT{300, 30});
    EXPECT_EQ(Real().moveDrags, drags);
}

TEST_F(SHostWndTest, SystemCommandsAndClose) {
    wnd->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(Real().IsMinimized());
    wnd->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(Real().IsMinimized());

    const HWND hwnd = wnd->GetHwnd();
    EXPECT_TRUE(IsWindowAlive(hwnd));
    env.Host().PostMessage(hwnd, WM_CLOSE, 0, 0);  // as the window manager's close button does
    ui->Pump();
    EXPECT_FALSE(wnd->IsWindow());
    EXPECT_FALSE(IsWindowAlive(hwnd));
    EXPECT_FALSE(PostToWindow(hwnd, WM_USER + 1, 0, 0));  // workers' posts are dropped now
}

TEST_F(SHostWndTest, QuitWaitingBeforeAWaitEndsIt) {
    env.App().PostQuitMessage(4);
    EXPECT_FALSE(ui->RunUntil([] { return false; }, 60000));
    EXPECT_EQ(env.Host().QuitCode(), 4);
}

TEST(SHostWndAttrTest, FlagsGiveThePlatformStylesUnlessStylesAreExplicit) {
    struct Case {
        std::vector<std::pair<const wchar_t*, const wchar_t*>> attrs;
        DWORD style, exStyle;
    };
    const DWORD base = WS_POPUP | WS_CLIPCHILDREN;
    const Case cases[] = {
        {{}, base | WS_MINIMIZEBOX, 0},
        {{{L"resizable", L"1"}, {L"appWnd", L"1"}},
         base | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_SYSMENU,
         WS_EX_APPWINDOW},
        {{{L"toolWindow", L"1"}, {L"translucent", L"1"}},
         base | WS_MINIMIZEBOX,
         WS_EX_TOOLWINDOW | WS_EX_LAYERED},
        {{{L"appWnd", L"1"}, {L"toolWindow", L"1"}}, base | WS_MINIMIZEBOX | WS_SYSMENU, WS_EX_APPWINDOW},
        // Explicit styles replace the computed ones; WS_VISIBLE is not the layout's to set.
        {{{L"RESIZABLE", L"1"}, {L"wndStyle", L"0x10C00000"}, {L"wndStyleEx", L"8"}}, 0x00C00000, 8},
    };
    for (const Case& c : cases) {
        SHostWndAttr attr;
        for (const auto& [name, value] : c.attrs)
            EXPECT_EQ(attr.ApplyAttribute(name, value), AttrResult::kOk) << name;
        EXPECT_EQ(attr.GetWndStyle(), c.style);
        EXPECT_EQ(attr.GetWndStyleEx(), c.exStyle);
    }
    SHostWndAttr attr;
    EXPECT_EQ(attr.ApplyAttribute(L"wndType", L"normal"), AttrResult::kOk);
    EXPECT_EQ(attr.ApplyAttribute(L"wndType", L"dialog"), AttrResult::kFailed);  // only that attribute fails
    EXPECT_EQ(attr.wndType, HostWndType::kNormal);
    EXPECT_EQ(attr.ApplyAttribute(L"margin", L"1,2,3"), AttrResult::kFailed);
    EXPECT_EQ(attr.ApplyAttribute(L"colorText", L"#fff"), AttrResult::kDeclined);
}

TEST(SHostWndLayoutTest, LayoutThatDoesNotLoadLeavesAnEmptyHost) {
    HostTestEnv env;
    RecordingHost missing(L"file:/nonexistent/layout.xml");
    ASSERT_NE(missing.Create(nullptr, 0, 0, 300, 200), nullptr);
    EXPECT_EQ(missing.GetFirstChild(), nullptr);
    EXPECT_EQ(env.Host().Window(missing.GetHwnd())->GetClientSize().cx, 300);

    RecordingHost wrongRoot(env.Layout("<window><root><button name='b'/></root></window>"));
    ASSERT_NE(wrongRoot.Create(nullptr, 0, 0, 300, 200), nullptr);
    EXPECT_EQ(wrongRoot.GetFirstChild(), nullptr);
}

}  // namespace
