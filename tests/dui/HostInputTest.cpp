// What an operator meets at the keyboard and the mouse, on the headless host: the pointer's shape,
// dragging by the caption's title, a modal overlay keeping the keyboard, Enter and Escape as in a
// dialog, focus frames, tool tips, losing and regaining the keyboard, what a change repaints, the
// input method per field and AltGr.
#include <gtest/gtest.h>

#include "dui/src/host/headless/HeadlessWindow.h"
#include "support/TextConvert.h"
#include "tests/dui/support/HostWindowTest.h"
#include "tests/testing/FastClock.h"

namespace {

constexpr COLORREF kGround = RGBA(0x20, 0x30, 0x40, 255);

// A caption with a logo, a title and a close button; a form whose start button is its default;
// a modal overlay (hidden) with a default and a cancel button.
constexpr const char* kLayout = R"(<DUI title="Input" width="666" height="474" resizable="1">
  <root colorBkgnd="#203040ff">
    <caption name="caption" pos="0,0,-0,60">
      <img name="logo" pos="17,1,80,59"/>
      <text name="title" pos="80,20" colorText="#ffffffff">Larkholm setup</text>
      <button name="btn_close" pos="-38,12,@26,@26" tip="关闭"/>
    </caption>
    <window name="form" pos="0,60,-0,-0">
      <edit name="edit_code" pos="10,10,@200,@30" colorBkgnd="#ffffffff" colorText="#000000ff"/>
      <edit name="edit_pwd" pos="10,50,@200,@30" colorBkgnd="#ffffffff" colorText="#000000ff" password="1"/>
      <check name="chk_agree" pos="10,90,@120,@20" colorText="#ffffffff">agree</check>
      <button name="btn_start" pos="10,120,@100,@30" default="1">Start</button>
      <link name="lnk_doc" pos="300,10,@100,@20" cursor="hand" colorText="#ffffffff">doc</link>
      <text name="lb_status" pos="300,50" colorText="#ffffffff">short</text>
    </window>
    <window name="overlay" pos="0,60,-0,-0" visible="0" modal="1" colorBkgnd="#00000066">
      <button name="btn_yes" pos="100,100,@80,@30">Yes</button>
      <button name="btn_no" pos="200,100,@80,@30" default="1">No</button>
      <button name="btn_x" pos="300,100,@16,@16" cancel="1"/>
    </window>
  </root>
</DUI>)";

class HostInputTest : public HostWindowTest {
protected:
    void SetUp() override { Open(kLayout); }
    HWND Hwnd() { return wnd->GetHwnd(); }
    SWindow* Focus() { return wnd->GetSwndContainer().GetFocus(); }
    void MoveTo(const wchar_t* name) {
        env.Host().MouseMove(Hwnd(), ui->CentreOf(*ui->Find(name)));
        ui->Pump();
    }
    void ShowOverlay() {
        ui->Find(L"overlay")->Show(true);
        ui->Pump();
    }
};

TEST_F(HostInputTest, PointerTakesTheCursorOfTheWindowUnderIt) {
    struct Case {
        const wchar_t* over;
        const wchar_t* cursor;
    };
    // In this order, so each shape must also give way to the next.
    const Case cases[] = {{L"edit_code", L"ibeam"},
                          {L"lnk_doc", L"hand"},
                          {L"btn_start", L"arrow"},
                          {L"edit_pwd", L"ibeam"},
                          {L"form", L"arrow"}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        MoveTo(cases[i].over);
        EXPECT_EQ(Real().cursor, cases[i].cursor) << "case " << i;
    }
}

TEST_F(HostInputTest, CaptionDragsFromItsTitleAndLogoButItsButtonKeepsItsClick) {
    ASSERT_TRUE(ui->Click(L"title"));
    EXPECT_EQ(Real().moveDrags, 1);
    ASSERT_TRUE(ui->Click(L"logo"));
    EXPECT_EQ(Real().moveDrags, 2);

    ASSERT_TRUE(ui->Click(L"btn_close"));
    EXPECT_EQ(Real().moveDrags, 2);
    EXPECT_EQ(wnd->Commands(L"btn_close"), 1);

    ui->DoubleClickAt(ui->CentreOf(*ui->Find(L"title")));  // the title's double click is the caption's too
    EXPECT_TRUE(Real().IsMaximized());
}

TEST_F(HostInputTest, ShownOverlayKeepsTheKeyboardAndAnswersEnterAndEscape) {
    ASSERT_TRUE(ui->Type(L"edit_code", L"80"));
    ShowOverlay();  // the page's field keeps the focus, as when nobody moves it

    ui->Press(VK_RETURN);  // not the page's start button behind the overlay
    EXPECT_EQ(wnd->Commands(L"btn_start"), 0);
    EXPECT_EQ(wnd->Commands(L"btn_no"), 1);
    env.Host().TypeText(Hwnd(), L"1");
    ui->Pump();
    EXPECT_EQ(ui->Find(L"edit_code")->GetText(), L"80");

    // Tab and Shift+Tab cycle inside the overlay only.
    std::vector<std::wstring> visited;
    for (int i = 0; i < 4; ++i) {
        ui->Press(VK_TAB);
        visited.push_back(Focus()->GetName());
    }
    ui->Press(VK_TAB, true);
    visited.push_back(Focus()->GetName());
    EXPECT_EQ(visited, (std::vector<std::wstring>{L"btn_yes", L"btn_no", L"btn_x", L"btn_yes", L"btn_x"}));

    ui->Press(VK_ESCAPE);
    EXPECT_EQ(wnd->Commands(L"btn_x"), 1);
    ui->Press(VK_TAB);  // to btn_yes: Enter acts on the focused overlay button
    ui->Press(VK_RETURN);
    EXPECT_EQ(wnd->Commands(L"btn_yes"), 1);
    EXPECT_EQ(wnd->Commands(L"btn_start"), 0);

    ui->Find(L"overlay")->Show(false);
    ui->Press(VK_ESCAPE);  // no cancel button on the page: nothing
    EXPECT_EQ(wnd->Commands(L"btn_x"), 1);
}

TEST_F(HostInputTest, EnterInAFieldPressesTheFormsDefaultButtonWhileItIsEnabled) {
    ASSERT_TRUE(ui->Type(L"edit_code", L"8001"));
    ui->Press(VK_TAB);
    ASSERT_EQ(Focus(), ui->Find(L"edit_pwd"));
    env.Host().TypeText(Hwnd(), L"demo123");
    ui->Press(VK_RETURN);
    EXPECT_EQ(wnd->Commands(L"btn_start"), 1);
    ui->Press(VK_TAB);  // the check box: Enter there is the form's too
    ASSERT_EQ(Focus(), ui->Find(L"chk_agree"));
    ui->Press(VK_RETURN);
    EXPECT_EQ(wnd->Commands(L"btn_start"), 2);

    ui->Find(L"btn_start")->Enable(false);
    ASSERT_TRUE(ui->Click(L"edit_code"));
    ui->Press(VK_RETURN);
    EXPECT_EQ(wnd->Commands(L"btn_start"), 2);
}

TEST_F(HostInputTest, FocusFramesAppearOnceTheKeyboardMovesTheFocus) {
    const auto frameCorner = [&](const wchar_t* name) {
        const RECT& rc = ui->Find(name)->GetWindowRect();
        return ui->PixelAt(POINT{rc.left, rc.top});
    };
    const COLORREF buttonCorner = frameCorner(L"btn_start");
    const COLORREF checkCorner = frameCorner(L"chk_agree");
    ASSERT_EQ(checkCorner, kGround);

    ASSERT_TRUE(ui->Click(L"btn_start"));  // the mouse alone shows no frame
    EXPECT_EQ(frameCorner(L"btn_start"), buttonCorner);

    ui->Press(VK_TAB, true);  // back to the check box, by keyboard
    ASSERT_EQ(Focus(), ui->Find(L"chk_agree"));
    EXPECT_NE(frameCorner(L"chk_agree"), checkCorner);
    ui->Press(VK_TAB);
    EXPECT_NE(frameCorner(L"btn_start"), buttonCorner);
    EXPECT_EQ(frameCorner(L"chk_agree"), checkCorner);  // only the focused control has one
}

TEST_F(HostInputTest, ToolTipShowsAfterTheHoverDelayAndHidesOnPressLeaveOrTimeOut) {
    // Twice as fast only: the tip must outlive the repaint that draws it, and a Direct2D repaint
    // under Wine on a busy machine can take a good part of a second. Its five seconds last 2.5 s
    // here; the hover delay 250 ms.
    const larkholm::testing::FastClock fastClock(2);
    const auto shown = [&] { return wnd->GetShownToolTip() == L"关闭"; };
    const auto hidden = [&] { return wnd->GetShownToolTip().empty(); };

    // Moves onto the close button and handles the move alone; the waits for the tip then look after
    // every message (the host's own RunUntil): with the clock sped up, the delay and the tip's
    // whole life may pass while the repaints the move asks for are drawn.
    const auto hoverClose = [&] {
        env.Host().MouseMove(Hwnd(), ui->CentreOf(*ui->Find(L"btn_close")));
        MSG move;
        ASSERT_TRUE(env.Host().PeekMessage(move));
        ASSERT_EQ(move.message, UINT(WM_MOUSEMOVE));
        env.Host().DispatchMessage(move);
    };

    hoverClose();
    EXPECT_TRUE(hidden());  // not at once
    ASSERT_TRUE(env.Host().RunUntil(shown));
    const RECT tip = wnd->GetToolTipRect();
    EXPECT_GE(tip.top, ui->Find(L"btn_close")->GetWindowRect().bottom - 26);
    EXPECT_LE(tip.right, 666);  // kept inside the window at its right edge
    EXPECT_EQ(ui->PixelAt(POINT{tip.left + 2, tip.top + 1}), RGBA(255, 255, 255, 255));

    env.Host().MouseDown(Hwnd(), ui->CentreOf(*ui->Find(L"btn_close")));
    ui->Pump();
    EXPECT_TRUE(hidden());
    env.Host().MouseUp(Hwnd(), ui->CentreOf(*ui->Find(L"btn_close")));
    EXPECT_FALSE(ui->RunUntil(shown, 1000));  // a pressed tip stays away while the pointer stays

    MoveTo(L"btn_start");  // no tip of its own
    hoverClose();
    ASSERT_TRUE(env.Host().RunUntil(shown));
    env.Host().MouseLeave(Hwnd());
    ui->Pump();
    EXPECT_TRUE(hidden());
    EXPECT_NE(ui->PixelAt(POINT{tip.left + 2, tip.top + 1}), RGBA(255, 255, 255, 255));

    hoverClose();
    ASSERT_TRUE(env.Host().RunUntil(shown));
    EXPECT_TRUE(ui->RunUntil(hidden, 10000));  // after its (scaled) five seconds
}

TEST_F(HostInputTest, LosingTheKeyboardStopsTheCaretAndRegainingItRestoresIt) {
    ASSERT_TRUE(ui->Type(L"edit_code", L"80"));
    SWindow* edit = ui->Find(L"edit_code");
    EXPECT_EQ(env.Host().RunningTimers(Hwnd()), 1u);  // the caret's blink

    env.Host().Activate(Hwnd(), false);
    ui->Pump();
    EXPECT_FALSE(edit->IsFocused());
    EXPECT_EQ(env.Host().RunningTimers(Hwnd()), 0u);

    env.Host().Activate(Hwnd(), true);
    ui->Pump();
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_EQ(env.Host().RunningTimers(Hwnd()), 1u);
    env.Host().TypeText(Hwnd(), L"01");
    ui->Pump();
    EXPECT_EQ(edit->GetText(), L"8001");

    // Focus given while inactive is where the keyboard lands on activation.
    env.Host().Activate(Hwnd(), false);
    ui->Pump();
    ui->Find(L"btn_start")->SetFocus();
    EXPECT_EQ(env.Host().RunningTimers(Hwnd()), 0u);
    env.Host().Activate(Hwnd(), true);
    ui->Pump();
    EXPECT_EQ(Focus(), ui->Find(L"btn_start"));
}

TEST_F(HostInputTest, ATextThatChangesItsSizeRepaintsOnlyItsPlace) {
    SWindow* status = ui->Find(L"lb_status");
    const int frames = Real().presentCount;
    status->SetText(L"a much longer status line");
    ui->Pump();
    ASSERT_GT(Real().presentCount, frames);
    const RECT painted = Real().lastPresented;
    const RECT& now = status->GetWindowRect();
    EXPECT_LE(painted.left, now.left);
    EXPECT_GE(painted.right, now.right);
    EXPECT_LT(painted.right - painted.left, 666 / 2);
    EXPECT_LT(painted.bottom - painted.top, 474 / 2);
}

TEST_F(HostInputTest, OnlyAFieldOfOrdinaryTextHasTheInputMethod) {
    EXPECT_EQ(Real().inputMethod, InputMethod::Off);
    const struct {
        const wchar_t* field;
        InputMethod mode;
    } steps[] = {{L"edit_code", InputMethod::On}, {L"edit_pwd", InputMethod::Off},
                 {L"edit_code", InputMethod::On}, {L"btn_start", InputMethod::Off}};
    for (const auto& step : steps) {
        ui->Find(step.field)->SetFocus();
        EXPECT_EQ(Real().inputMethod, step.mode) << WideToUtf8(step.field);
    }
    // The window losing the keyboard leaves no field focused.
    ui->Find(L"edit_code")->SetFocus();
    env.Host().Activate(Hwnd(), false);
    ui->Pump();
    EXPECT_EQ(Real().inputMethod, InputMethod::Off);
}

TEST_F(HostInputTest, AltGrTypesItsCharactersWhereCtrlWouldBeAShortcut) {
    ASSERT_TRUE(ui->Type(L"edit_code", L"D:"));
    // AltGr comes as Ctrl+Alt: AltGr+A is "ą" on a Polish keyboard, AltGr+Q "@" on a German one.
    env.Host().KeyDown(Hwnd(), VK_CONTROL);
    env.Host().KeyDown(Hwnd(), VK_MENU);
    env.Host().KeyDown(Hwnd(), 'A');
    env.Host().TypeText(Hwnd(), L"\u0105@");
    env.Host().KeyUp(Hwnd(), VK_MENU);
    ui->Pump();
    EXPECT_EQ(ui->Find(L"edit_code")->GetText(), L"D:\u0105@");
    // Ctrl alone is still the shortcut key, and types nothing.
    env.Host().KeyDown(Hwnd(), 'A');
    env.Host().TypeText(Hwnd(), L"a");
    env.Host().KeyUp(Hwnd(), VK_CONTROL);
    env.Host().TypeText(Hwnd(), L"x");
    ui->Pump();
    EXPECT_EQ(ui->Find(L"edit_code")->GetText(), L"x");
}

}  // namespace
