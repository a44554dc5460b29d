// The controls driven through the headless host as a user drives them: the edit field's keys,
// mouse, clipboard and password masking; check boxes and radio groups; the progress bar's range;
// links; the animated picture's frame timing.
#include <gtest/gtest.h>

#include "dui/src/control/SEdit.h"
#include "dui/src/control/SGifPlayer.h"
#include "dui/src/control/SLink.h"
#include "dui/src/control/SProgress.h"
#include "support/Clock.h"
#include "support/platform/Process.h"
#include "tests/dui/support/GifWriter.h"
#include "tests/dui/support/HostTestEnv.h"
#include "tests/testing/FastClock.h"

namespace {

constexpr const char* kLayout = R"(<DUI width="400" height="300">
  <root colorBkgnd="#ffffffff">
    <edit name="edit_name" pos="10,10,@200,@30" colorText="#000000ff" inset="4,0,4,0" cueText="your name"/>
    <edit name="edit_pwd" pos="10,50,@200,@30" colorText="#000000ff" inset="4,0,4,0" password="1" passwordChar="*"/>
    <edit name="edit_short" pos="10,90,@200,@30" maxLength="4"/>
    <check name="chk_a" pos="10,130,@120,@20" checked="1">A</check>
    <check name="chk_off" pos="140,130,@120,@20" enable="0">Off</check>
    <window name="group1" pos="10,160,@300,@30">
      <radio name="rbtn_1" pos="0,0,@90,@30">1</radio>
      <radio name="rbtn_2" pos="100,0,@90,@30">2</radio>
    </window>
    <window name="group2" pos="10,200,@300,@30">
      <radio name="rbtn_3" pos="0,0,@90,@30" checked="1">3</radio>
    </window>
    <progress name="progress_x" pos="10,240,@200,@10" min="0" max="100" value="150"/>
    <link name="lnk_doc" pos="220,240,@100,@20" href="http://127.0.0.1/doc">doc</link>
    <link name="lnk_none" pos="220,270,@100,@20">none</link>
  </root>
</DUI>)";

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        wnd = std::make_unique<RecordingHost>(env.Layout(kLayout));
        ASSERT_NE(wnd->Create(nullptr, 0, 0, 0, 0), nullptr);
        wnd->ShowWindow(SW_SHOW);
        ui = std::make_unique<HeadlessDriver>(env.Host(), *wnd);
        ui->Pump();
    }
    template <class T>
    T* Get(const wchar_t* name) {
        return wnd->FindChildByName2<T>(name);
    }
    const std::wstring& TextOf(const wchar_t* name) { return ui->Find(name)->GetText(); }

    HostTestEnv env;
    std::unique_ptr<RecordingHost> wnd;
    std::unique_ptr<HeadlessDriver> ui;
};

TEST_F(ControlsTest, EditingKeysMoveTheCaretAndEraseAroundIt) {
    ASSERT_TRUE(ui->Type(L"edit_name", L"hello wörld"));
    SEdit* edit = Get<SEdit>(L"edit_name");
    EXPECT_EQ(edit->GetText(), L"hello wörld");
    EXPECT_EQ(edit->GetCaret(), 11u);

    ui->Press(VK_HOME);
    ui->Press(VK_DELETE);  // "ello wörld"
    ui->Press(VK_END);
    ui->Press(VK_BACK);  // "ello wörl"
    ui->Press(VK_LEFT);
    ui->Press(VK_LEFT);
    env.Host().TypeText(wnd->GetHwnd(), L"X");  // "ello wöXrl"
    ui->Pump();
    EXPECT_EQ(edit->GetText(), L"ello wöXrl");
    ui->Press(VK_RIGHT);
    ui->Press(VK_BACK);  // "ello wöXl"
    EXPECT_EQ(edit->GetText(), L"ello wöXl");
    EXPECT_EQ(edit->GetCaret(), 8u);

    // Shift+Home selects back to the start; a typed character replaces the selection.
    ui->Press(VK_HOME, true);
    EXPECT_EQ(edit->GetSelText(), L"ello wöX");
    env.Host().TypeText(wnd->GetHwnd(), L"J");
    ui->Pump();
    EXPECT_EQ(edit->GetText(), L"Jl");

    // Nothing happens at the ends; control characters are not text.
    ui->Press(VK_HOME);
    ui->Press(VK_BACK);
    ui->Press(VK_LEFT);
    env.Host().TypeText(wnd->GetHwnd(), L"\t\x7f");
    ui->Pump();
    EXPECT_EQ(edit->GetText(), L"Jl");
    EXPECT_EQ(edit->GetCaret(), 0u);
}

TEST_F(ControlsTest, ACharacterBeyondTheFirstPlaneIsTypedWhole) {
    ASSERT_TRUE(ui->Type(L"edit_name", L"a"));
    // The host hands it over as one code point, whatever the width of wchar_t.
    env.Host().TypeText(wnd->GetHwnd(), L"\U0001F600");
    ui->Pump();
    EXPECT_EQ(TextOf(L"edit_name"), L"a\U0001F600");
}

TEST_F(ControlsTest, ClipboardKeysCopyCutAndPasteOneLine) {
    ui->Type(L"edit_name", L"alpha beta");
    ui->Press('A', false, true);
    ui->Press('C', false, true);
    EXPECT_EQ(env.Host().clipboard, L"alpha beta");
    ui->Press(VK_END);
    ui->Press(VK_LEFT, true);
    ui->Press(VK_LEFT, true);
    ui->Press(VK_LEFT, true);
    ui->Press(VK_LEFT, true);
    ui->Press('X', false, true);
    EXPECT_EQ(env.Host().clipboard, L"beta");
    EXPECT_EQ(TextOf(L"edit_name"), L"alpha ");

    env.Host().clipboard = L"gamma\r\ndelta";  // only the first line goes into a single-line field
    ui->Press('V', false, true);
    EXPECT_EQ(TextOf(L"edit_name"), L"alpha gamma");

    // A key combination types nothing by itself.
    env.Host().KeyDown(wnd->GetHwnd(), VK_CONTROL);
    env.Host().TypeText(wnd->GetHwnd(), L"z");
    env.Host().KeyUp(wnd->GetHwnd(), VK_CONTROL);
    ui->Pump();
    EXPECT_EQ(TextOf(L"edit_name"), L"alpha gamma");
}

TEST_F(ControlsTest, PasswordFieldMasksItsTextAndKeepsItOffTheClipboard) {
    ui->Type(L"edit_pwd", L"s3cret");
    SEdit* pwd = Get<SEdit>(L"edit_pwd");
    EXPECT_EQ(pwd->GetText(), L"s3cret");  // the program reads the real text
    env.Host().clipboard = L"before";
    ui->Press('A', false, true);
    ui->Press('C', false, true);
    ui->Press('X', false, true);
    EXPECT_EQ(env.Host().clipboard, L"before");
    EXPECT_EQ(pwd->GetText(), L"s3cret");

    // What is drawn is six asterisks: the same pixels as a plain field holding "******".
    ui->Press(VK_TAB);  // leave the field, so neither shows a caret or selection
    SEdit* plain = Get<SEdit>(L"edit_name");
    plain->SetText(L"******");
    const RECT a = pwd->GetWindowRect(), b = plain->GetWindowRect();
    int differing = 0, inked = 0;
    for (int y = 0; y < a.bottom - a.top; ++y)
        for (int x = 4; x < 120; ++x) {
            const COLORREF p = ui->PixelAt(POINT{a.left + x, a.top + y});
            differing += p != ui->PixelAt(POINT{b.left + x, b.top + y});
            inked += p != RGBA(255, 255, 255, 255);
        }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(differing, 0);
}

TEST_F(ControlsTest, MouseClickPlacesTheCaretAndMaxLengthHolds) {
    ui->Type(L"edit_name", L"abcdef");
    SEdit* edit = Get<SEdit>(L"edit_name");
    ui->ClickAt(POINT{10 + 4 + 1, 25});  // just inside the inset: before the first character
    EXPECT_EQ(edit->GetCaret(), 0u);
    ui->ClickAt(POINT{205, 25});  // far right: after the last
    EXPECT_EQ(edit->GetCaret(), 6u);
    ui->DoubleClickAt(POINT{50, 25});
    EXPECT_EQ(edit->GetSelText(), L"abcdef");
    EXPECT_EQ(wnd->Commands(L"edit_name"), 0);  // clicking a field is not a command

    ui->Type(L"edit_short", L"123456");
    EXPECT_EQ(TextOf(L"edit_short"), L"1234");

    // What the operator types is taken as typed, even when it looks like a string reference.
    ui->Type(L"edit_pwd", L"@string/title");
    EXPECT_EQ(TextOf(L"edit_pwd"), L"@string/title");
}

TEST_F(ControlsTest, CaretBlinkRepaintsTheCaretAlone) {
    const larkholm::testing::FastClock fastClock;
    ASSERT_TRUE(ui->Type(L"edit_name", L"hello"));
    HeadlessWindow& real = *env.Host().Window(wnd->GetHwnd());
    const int frames = real.presentCount;
    ASSERT_TRUE(ui->RunUntil([&] { return real.presentCount > frames; }));
    const RECT blink = real.lastPresented;
    EXPECT_EQ(blink.right - blink.left, 1);
    EXPECT_LE(blink.bottom - blink.top, 30);
}

TEST_F(ControlsTest, ShorterTextSetByTheProgramIsShownFromItsStart) {
    // Typing past the field's width scrolls the text to the left.
    ui->Type(L"edit_name", std::wstring(60, L'W'));
    SEdit* edit = Get<SEdit>(L"edit_name");
    ui->Press(VK_TAB);  // the program fills the field while another control has the focus
    edit->SetText(L"ab");
    EXPECT_EQ(edit->GetCaret(), 2u);

    const RECT field = edit->GetWindowRect();
    int inked = 0;
    for (int y = field.top; y < field.bottom; ++y)
        for (int x = field.left + 4; x < field.left + 40; ++x)
            inked += ui->PixelAt(POINT{x, y}) != RGBA(255, 255, 255, 255);
    EXPECT_GT(inked, 20);
}

TEST_F(ControlsTest, CheckBoxesToggleAndRadioButtonsFormGroupsByParent) {
    SWindow* check = ui->Find(L"chk_a");
    EXPECT_TRUE(check->IsChecked());  // "checked" in the layout
    // The command comes after the toggle, so its handler reads the new state.
    std::vector<bool> checkedAtCommand;
    check->SubscribeEvent(EventCmd::kEventId, [&](EventArgs&) {
        checkedAtCommand.push_back(check->IsChecked());
        return false;
    });
    ui->Click(L"chk_a");
    EXPECT_FALSE(check->IsChecked());
    EXPECT_EQ(wnd->Commands(L"chk_a"), 1);
    ui->Press(VK_SPACE);  // the click gave it the focus
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(checkedAtCommand, (std::vector<bool>{false, true}));
    ui->Click(L"chk_off");
    EXPECT_FALSE(ui->Find(L"chk_off")->IsChecked());

    SWindow* r1 = ui->Find(L"rbtn_1");
    SWindow* r2 = ui->Find(L"rbtn_2");
    SWindow* r3 = ui->Find(L"rbtn_3");
    ui->Click(L"rbtn_1");
    EXPECT_TRUE(r1->IsChecked());
    ui->Click(L"rbtn_2");
    EXPECT_FALSE(r1->IsChecked());
    EXPECT_TRUE(r2->IsChecked());
    ui->Click(L"rbtn_2");  // stays checked
    EXPECT_TRUE(r2->IsChecked());
    EXPECT_TRUE(r3->IsChecked());  // another parent, another group
}

TEST_F(ControlsTest, ProgressClampsItsValueToTheRange) {
    SProgress* progress = Get<SProgress>(L"progress_x");
    EXPECT_EQ(progress->GetValue(), 100);  // the layout's 150, clamped
    for (const auto& [given, shown] : {std::pair{50, 50}, std::pair{-5, 0}, std::pair{101, 100}}) {
        progress->SetValue(given);
        EXPECT_EQ(progress->GetValue(), shown) << given;
    }
    progress->SetRange(10, 5);
    EXPECT_EQ(progress->GetMax(), 10);
    EXPECT_EQ(progress->GetValue(), 10);
}

TEST_F(ControlsTest, LinkOpensItsTargetOnlyWhenItHasOne) {
    std::vector<std::wstring> opened;
    SetShellOpenHandler([&](const std::wstring& target) {
        opened.push_back(target);
        return true;
    });
    // The program hears of the click before the target opens.
    std::size_t openedAtCommand = 1;
    ui->Find(L"lnk_doc")->SubscribeEvent(EventCmd::kEventId, [&](EventArgs&) {
        openedAtCommand = opened.size();
        return false;
    });
    ui->Click(L"lnk_doc");
    EXPECT_EQ(openedAtCommand, 0u);
    ui->Click(L"lnk_none");
    // A press that leaves the link before the release opens nothing.
    const POINT inside = ui->CentreOf(*ui->Find(L"lnk_doc"));
    env.Host().MouseDown(wnd->GetHwnd(), inside);
    env.Host().MouseUp(wnd->GetHwnd(), POINT{5, 295});
    ui->Pump();
    SetShellOpenHandler(nullptr);
    EXPECT_EQ(opened, std::vector<std::wstring>{L"http://127.0.0.1/doc"});
    EXPECT_EQ(wnd->Commands(L"lnk_none"), 1);
}

TEST(GifPlayerTest, PlaysFramesWithTheirOwnDelaysInALoop) {
    HostTestEnv env;
    // Three 1x1 frames shown 1 s, 2 s and 1 s, played a hundred times faster.
    GifWriter gif(1, 1);
    gif.Frame(0, 0, 1, 1, {1}, 100);
    gif.Frame(0, 0, 1, 1, {2}, 200);
    gif.Frame(0, 0, 1, 1, {3}, 100);
    const auto bytes = gif.Finish();
    const std::string path = env.dir.WriteFile("wait.gif", std::string(bytes.begin(), bytes.end()));
    RecordingHost wnd(env.Layout(
        R"(<DUI width="20" height="20"><skin><gif name="waiting" src="file:)" + path +
        R"("/></skin><root><window pos="0,0,-0,-0"><gifplayer name="gif" pos="0,0,@1,@1" skin="waiting"/></window></root></DUI>)"));
    ASSERT_NE(wnd.Create(nullptr, 0, 0, 0, 0), nullptr);
    auto* player = wnd.FindChildByName2<SGifPlayer>(L"gif");
    ASSERT_NE(player, nullptr);

    const larkholm::testing::FastClock fastClock;
    std::vector<std::pair<int, std::uint64_t>> shown{{player->GetFrame(), Clock::Ticks()}};
    const bool looped = env.Host().RunUntil([&] {
        if (player->GetFrame() != shown.back().first) shown.emplace_back(player->GetFrame(), Clock::Ticks());
        return shown.size() == 5;
    });
    ASSERT_TRUE(looped);
    const std::vector<int> order{shown[0].first, shown[1].first, shown[2].first, shown[3].first,
                                 shown[4].first};
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1}));
    // Timers never fire early, so each frame stayed at least its own delay (in scaled time).
    EXPECT_GE(shown[2].second - shown[1].second, 2000u);
    EXPECT_GE(shown[3].second - shown[2].second, 1000u);

    // Hidden (here with its parent, as a page is), it stops and wakes nobody; shown, it plays on.
    wnd.GetFirstChild()->Show(false);
    EXPECT_EQ(env.Host().RunningTimers(wnd.GetHwnd()), 0u);
    const int frame = player->GetFrame();
    wnd.GetFirstChild()->Show(true);
    EXPECT_EQ(env.Host().RunningTimers(wnd.GetHwnd()), 1u);
    EXPECT_TRUE(env.Host().RunUntil([&] { return player->GetFrame() != frame; }));
}

}  // namespace
