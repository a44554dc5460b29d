// A window of the framework on the Win32 host, as the wizard makes its own: built from a layout,
// centred on the work area, painted on the screen, and answering a click and typed text that come
// through the real window's messages; the input method per focused field, AltGr, the system's
// own resizing gestures and a log-off while work must not be cut short.
#include <windows.h>

#include <imm.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "dui/include/core/SApplication.h"
#include "dui/include/core/SHostWnd.h"
#include "dui/include/core/SObjectDefaultRegister.h"
#include "dui/src/control/SEdit.h"
#include "support/TextConvert.h"
#include "tests/dui/support/HostTestEnv.h"
#include "tests/dui/win32/RunHostUntil.h"
#include "tests/testing/TempDir.h"

namespace {

constexpr const char* kLayout =
    R"(<DUI title="Larkholm Win32 test" width="400" height="240" appWnd="1" resizable="1">
  <root colorBkgnd="#2050a0ff">
    <button name="btn_go" pos="20,20,@120,@40" colorBkgnd="#ffffffff" colorText="#000000ff">Go</button>
    <edit name="edit_path" pos="20,100,@300,@32" colorBkgnd="#ffffffff" colorText="#000000ff"/>
    <edit name="edit_pwd" pos="20,150,@300,@32" password="1" colorBkgnd="#ffffffff" colorText="#000000ff"/>
  </root>
</DUI>)";

class LayoutWindowWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        auto host = CreatePlatformHost();
        ASSERT_NE(host, nullptr);
        factory = CreateRenderFactory(CreateImgDecoderFactory());
        app = std::make_unique<SApplication>(factory.get(), L"DUIHOST", SObjectDefaultRegister(),
                                             std::move(host));
        wnd = std::make_unique<RecordingHost>(L"file:" + Utf8ToWide(dir.WriteFile("main.xml", kLayout)));
        ASSERT_NE(wnd->Create(nullptr, 0, 0, 0, 0), nullptr);
        real = reinterpret_cast<HWND>(wnd->GetHostWindow()->GetNativeHandle());
    }
    void TearDown() override {
        wnd.reset();
        app.reset();
    }

    bool RunUntil(const std::function<bool()>& done) { return RunHostUntil(app->GetHost(), done); }
    // The centre of `name` in client coordinates, as the real window's mouse messages carry it.
    LPARAM CentreOf(const wchar_t* name) {
        const RECT& rc = wnd->FindChildByName(name)->GetWindowRect();
        return MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    void Click(const wchar_t* name) {
        ::PostMessageW(real, WM_MOUSEMOVE, 0, CentreOf(name));
        ::PostMessageW(real, WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(name));
        ::PostMessageW(real, WM_LBUTTONUP, 0, CentreOf(name));
    }

    bool HoldsInputContext() const {
        const HIMC context = ::ImmGetContext(real);
        if (context != nullptr) ::ImmReleaseContext(real, context);
        return context != nullptr;
    }
    SIZE RealSize() const {
        RECT rect{};
        ::GetWindowRect(real, &rect);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }
    RECT WorkArea() const {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        EXPECT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(real, MONITOR_DEFAULTTONEAREST), &monitor));
        return monitor.rcWork;
    }

    larkholm::testing::TempDir dir;
    std::unique_ptr<IRenderFactory> factory;
    std::unique_ptr<SApplication> app;
    std::unique_ptr<RecordingHost> wnd;
    HWND real = nullptr;
};

TEST_F(LayoutWindowWin32Test, ShowsCentredPaintedAndAnswersClicksAndText) {
    wnd->CenterWindow();
    wnd->ShowWindow(SW_SHOWNORMAL);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(real, MONITOR_DEFAULTTONEAREST), &monitor));
    const RECT work = monitor.rcWork;
    RECT onScreen{};
    ::GetWindowRect(real, &onScreen);
    EXPECT_EQ(onScreen.left, (work.left + work.right) / 2 - 400 / 2);
    EXPECT_EQ(onScreen.top, (work.top + work.bottom) / 2 - 240 / 2);
    EXPECT_EQ(onScreen.right - onScreen.left, 400);
    EXPECT_EQ(onScreen.bottom - onScreen.top, 240);

    // The background is on the screen once the first frame is presented.
    const HDC dc = ::GetDC(real);
    const auto background = [&] { return ::GetPixel(dc, 200, 220) == RGB(0x20, 0x50, 0xa0); };
    EXPECT_TRUE(RunUntil(background)) << std::hex << ::GetPixel(dc, 200, 220);
    ::ReleaseDC(real, dc);

    Click(L"btn_go");
    EXPECT_TRUE(RunUntil([&] { return wnd->Commands(L"btn_go") == 1; }));

    // Text as the keyboard or an input method types it: a CJK path and a character beyond the
    // first plane, which comes as two UTF-16 halves.
    Click(L"edit_path");
    for (WPARAM unit :
         {WPARAM{'D'}, WPARAM{':'}, WPARAM{0x5B89}, WPARAM{0x88C5}, WPARAM{0xD83D}, WPARAM{0xDE00}})
        ::PostMessageW(real, WM_CHAR, unit, 1);
    auto* edit = wnd->FindChildByName2<SEdit>(L"edit_path");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(RunUntil([&] { return edit->GetText() == L"D:安装\U0001F600"; }))
        << WideToUtf8(edit->GetText());
}

TEST_F(LayoutWindowWin32Test, TheInputMethodIsOnlyForFieldsOfOrdinaryText) {
    wnd->ShowWindow(SW_SHOWNORMAL);
    EXPECT_FALSE(HoldsInputContext());  // no field has the focus yet
    const struct {
        const wchar_t* field;
        bool context;
    } steps[] = {{L"edit_path", true}, {L"edit_pwd", false}, {L"edit_path", true}, {L"btn_go", false}};
    for (const auto& step : steps) {
        SCOPED_TRACE(WideToUtf8(step.field));
        Click(step.field);
        EXPECT_TRUE(RunUntil([&] { return HoldsInputContext() == step.context; }));
    }
}

TEST_F(LayoutWindowWin32Test, AltGrTypesItsCharactersInsteadOfShortcuts) {
    wnd->ShowWindow(SW_SHOWNORMAL);
    Click(L"edit_path");
    for (WPARAM unit : {WPARAM{'D'}, WPARAM{':'}}) ::PostMessageW(real, WM_CHAR, unit, 1);
    auto* edit = wnd->FindChildByName2<SEdit>(L"edit_path");
    ASSERT_TRUE(RunUntil([&] { return edit->GetText() == L"D:"; }));

    // AltGr as Windows reports it: Ctrl and Alt down. AltGr+A is "ą" on a Polish keyboard, not
    // Ctrl+A; AltGr+Q is "@" on a German one.
    BYTE saved[256] = {};
    ASSERT_TRUE(::GetKeyboardState(saved));
    BYTE altGr[256] = {};
    for (const int key : {VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU}) altGr[key] = 0x80;
    ASSERT_TRUE(::SetKeyboardState(altGr));
    ::PostMessageW(real, WM_KEYDOWN, 'A', 1);
    ::PostMessageW(real, WM_CHAR, 0x0105, 1);
    ::PostMessageW(real, WM_KEYDOWN, 'Q', 1);
    ::PostMessageW(real, WM_CHAR, '@', 1);
    EXPECT_TRUE(RunUntil([&] { return edit->GetText() == L"D:\u0105@"; })) << WideToUtf8(edit->GetText());
    ::SetKeyboardState(saved);
}

TEST_F(LayoutWindowWin32Test, TheSystemsGesturesKeepTheSizeAndTheFrameworksMaximiseWorks) {
    wnd->CenterWindow();
    wnd->ShowWindow(SW_SHOWNORMAL);
    const RECT work = WorkArea();

    // Snapping to an edge or Win+Left resizes the window through SetWindowPos.
    ::SetWindowPos(real, nullptr, work.left, work.top, (work.right - work.left) / 2, work.bottom - work.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(RealSize().cx, 400);
    EXPECT_EQ(RealSize().cy, 240);

    // The system's maximise would fill the work area exactly, never a frame's width beyond it.
    MINMAXINFO limits{};
    ::SendMessageW(real, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMaxSize.x, work.right - work.left);
    EXPECT_EQ(limits.ptMaxSize.y, work.bottom - work.top);
    EXPECT_EQ(limits.ptMaxTrackSize.x, 400);
    EXPECT_EQ(limits.ptMaxTrackSize.y, 240);
    ::ShowWindow(real, SW_MAXIMIZE);
    EXPECT_EQ(RealSize().cx, 400);
    EXPECT_EQ(RealSize().cy, 240);
    ::ShowWindow(real, SW_RESTORE);

    // The framework's own maximise and restore still change the size.
    wnd->ShowWindow(SW_MAXIMIZE);
    EXPECT_EQ(RealSize().cx, work.right - work.left);
    EXPECT_EQ(RealSize().cy, work.bottom - work.top);
    wnd->ShowWindow(SW_RESTORE);
    EXPECT_EQ(RealSize().cx, 400);
    EXPECT_EQ(RealSize().cy, 240);
}

TEST_F(LayoutWindowWin32Test, ALogOffWaitsWhileTheWindowHoldsIt) {
    const auto querySessionEnd = [&] {
        return ::SendMessageW(real, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    };
    EXPECT_EQ(querySessionEnd(), TRUE);
    wnd->GetHostWindow()->HoldSessionEnd(L"正在解压安装文件");
    EXPECT_EQ(querySessionEnd(), FALSE);
    wnd->GetHostWindow()->HoldSessionEnd(L"");
    EXPECT_EQ(querySessionEnd(), TRUE);
}

}  // namespace
