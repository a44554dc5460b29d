// The Win32 host on real windows (under Wine, drawn on the X display the suite runs on): the HWND
// made from the host parameters, icons, work area and placement, messages posted from another
// thread, timers, messages that reach the window while a loop of the system's runs, keyboard text,
// clipboard, cursor, input-method position, and frames put on the screen.
#include <windows.h>

#include <imm.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dui/include/core/IHost.h"
#include "dui/include/core/IRenderTarget.h"
#include "support/platform/ComApartment.h"
#include "support/platform/FolderPicker.h"
#include "tests/dui/win32/RunHostUntil.h"

namespace {

constexpr UINT kProgress = WM_USER + 40;

// The framework's side of one window: what the host hands it, in order.
class RecordingSink : public IHostWindowSink {
public:
    LRESULT OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(MSG{nullptr, message, wParam, lParam, 0, {}});
        if (onMessage) onMessage(message, wParam);
        return 0;
    }
    std::vector<MSG> Of(UINT message) const {
        std::vector<MSG> found;
        for (const MSG& msg : messages)
            if (msg.message == message) found.push_back(msg);
        return found;
    }

    std::vector<MSG> messages;
    std::function<void(UINT, WPARAM)> onMessage;
};

HostWindowParams Params() {
    HostWindowParams params;
    params.className = L"LarkholmHostTest";
    params.title = L"Larkholm 安装";
    params.rect = RECT{60, 40, 60 + 320, 40 + 200};
    params.style = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU;
    params.exStyle = WS_EX_APPWINDOW;
    return params;
}

// Rectangles compared as text, which also reads well when they differ.
std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class HostWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        host = CreatePlatformHost();
        ASSERT_NE(host, nullptr);
    }

    std::unique_ptr<IHostWindow> Open(const HostWindowParams& params = Params()) {
        return host->CreateHostWindow(kHandle, sink, params);
    }
    static HWND Real(const IHostWindow& window) { return reinterpret_cast<HWND>(window.GetNativeHandle()); }

    bool RunUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(30)) {
        return RunHostUntil(*host, done, limit);
    }
    // Posts a message from another thread while `runLoop` runs a loop of the system's; whether the
    // window got it inside that loop. `endLoop` ends the loop (any thread): called when the message
    // comes, or after 10 s should it never come.
    bool ArrivesDuring(const std::function<void()>& runLoop, const std::function<void()>& endLoop) {
        bool running = false, arrivedWhileRunning = false;
        sink.onMessage = [&](UINT message, WPARAM) {
            if (message != kProgress) return;
            arrivedWhileRunning = running;
            endLoop();
        };
        std::mutex mutex;
        std::condition_variable changed;
        bool ended = false;
        std::thread worker([&] {
            host->PostMessage(kHandle, kProgress, 0, 0);
            std::unique_lock lock(mutex);
            if (!changed.wait_for(lock, std::chrono::seconds(10), [&] { return ended; })) endLoop();
        });
        running = true;
        runLoop();
        running = false;
        {
            std::lock_guard lock(mutex);
            ended = true;
        }
        changed.notify_all();
        worker.join();
        sink.onMessage = nullptr;
        return arrivedWhileRunning;
    }
    // Hands out everything that waits now.
    void Drain() {
        MSG msg;
        while (host->PeekMessage(msg)) host->DispatchMessage(msg);
    }

    // The framework's handle of the window, which is never the HWND.
    const HWND kHandle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x7A01));
    std::unique_ptr<IHost> host;
    RecordingSink sink;
};

TEST_F(HostWin32Test, WindowCarriesTheStylesTitleAndClassAndItsClientAreaIsTheWholeWindow) {
    HostWindowParams params = Params();
    params.style |= WS_THICKFRAME | WS_MAXIMIZEBOX;  // a sizing frame the system must not draw
    auto window = Open(params);
    ASSERT_NE(window, nullptr);
    const HWND real = Real(*window);
    EXPECT_NE(real, kHandle);

    const DWORD style = static_cast<DWORD>(::GetWindowLongW(real, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(real, GWL_EXSTYLE));
    EXPECT_EQ(style & params.style, params.style);
    EXPECT_EQ(style & WS_VISIBLE, 0u) << "shown only when the framework asks";
    EXPECT_NE(exStyle & WS_EX_APPWINDOW, 0u);
    EXPECT_EQ(exStyle & WS_EX_LAYERED, 0u);

    wchar_t text[64] = {};
    ::GetWindowTextW(real, text, 64);
    EXPECT_EQ(std::wstring(text), params.title);
    ::GetClassNameW(real, text, 64);
    EXPECT_EQ(std::wstring(text), params.className);

    RECT client{}, onScreen{};
    ::GetClientRect(real, &client);
    ::GetWindowRect(real, &onScreen);
    EXPECT_EQ(Text(client), Text(RECT{0, 0, 320, 200}));
    EXPECT_EQ(Text(onScreen), Text(params.rect));
}

TEST_F(HostWin32Test, TranslucentWindowIsLayeredAndShownThroughUpdateLayeredWindow) {
    HostWindowParams params = Params();
    params.translucent = true;
    auto window = Open(params);
    ASSERT_NE(window, nullptr);
    const HWND real = Real(*window);
    EXPECT_NE(::GetWindowLongW(real, GWL_EXSTYLE) & WS_EX_LAYERED, 0);

    std::vector<std::uint32_t> pixels(320 * 200, 0x80000080u);  // half-transparent blue
    window->Present(PixelView{pixels.data(), 320, 200, 320 * 4}, RECT{0, 0, 320, 200});
    window->ShowWindow(SW_SHOWNORMAL);
    // A window that UpdateLayeredWindow shows has no constant opacity of its own to report.
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_FALSE(::GetLayeredWindowAttributes(real, nullptr, &alpha, &flags));
    EXPECT_TRUE(::IsWindowVisible(real));
}

TEST_F(HostWin32Test, OpacityOfAnOrdinaryWindowMakesItLayered) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    const HWND real = Real(*window);
    window->SetOpacity(255);
    EXPECT_EQ(::GetWindowLongW(real, GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "fully opaque needs no layer";
    window->SetOpacity(128);
    EXPECT_NE(::GetWindowLongW(real, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(real, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_NE(flags & LWA_ALPHA, 0u);
}

TEST_F(HostWin32Test, IconsGoToTheWindowAndItsClassAtTheirSizesWithStraightAlpha) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    const auto frame = [](int size) {
        // Premultiplied half-transparent red: straight, that is 0x80FF0000.
        return ImgFrame{size, size,
                        std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, 0x80800000u), 0};
    };
    window->SetIcons({frame(16), frame(32)});
    const HWND real = Real(*window);

    for (const auto& [which, size] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
        const auto icon = reinterpret_cast<HICON>(::SendMessageW(real, WM_GETICON, which, 0));
        ASSERT_NE(icon, nullptr) << "icon " << which;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        BITMAPINFO format{};
        format.bmiHeader =
            BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
        const HDC screen = ::GetDC(nullptr);
        ::GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &format,
                    DIB_RGB_COLORS);
        ::ReleaseDC(nullptr, screen);
        EXPECT_EQ(pixels[0], 0x80FF0000u);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    EXPECT_EQ(::GetClassLongPtrW(real, GCLP_HICON),
              static_cast<ULONG_PTR>(::SendMessageW(real, WM_GETICON, ICON_BIG, 0)));
    EXPECT_EQ(::GetClassLongPtrW(real, GCLP_HICONSM),
              static_cast<ULONG_PTR>(::SendMessageW(real, WM_GETICON, ICON_SMALL, 0)));
}

TEST_F(HostWin32Test, WorkAreaIsTheNearestMonitorsAndTheWindowCentresOnIt) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(Real(*window), MONITOR_DEFAULTTONEAREST), &monitor));
    EXPECT_EQ(Text(host->GetWorkArea(window->GetWindowRect())), Text(monitor.rcWork));
    EXPECT_EQ(Text(host->GetWorkArea(RECT{-9000, -9000, -8000, -8000})), Text(monitor.rcWork))
        << "off every monitor";

    // What the framework's centring does with it: integer halves, then the real window is there.
    const RECT work = monitor.rcWork;
    const LONG x = (work.left + work.right) / 2 - 320 / 2, y = (work.top + work.bottom) / 2 - 200 / 2;
    window->SetWindowRect(RECT{x, y, x + 320, y + 200});
    RECT onScreen{};
    ::GetWindowRect(Real(*window), &onScreen);
    EXPECT_EQ(Text(onScreen), Text(RECT{x, y, x + 320, y + 200}));
    EXPECT_EQ(Text(window->GetWindowRect()), Text(onScreen));
}

TEST_F(HostWin32Test, MinimiseMaximiseAndRestoreFollowTheFrameworksPlacement) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    window->ShowWindow(SW_SHOWNORMAL);
    EXPECT_TRUE(window->IsVisible());

    window->ShowWindow(SW_MINIMIZE);
    EXPECT_TRUE(window->IsMinimized());
    window->ShowWindow(SW_RESTORE);
    EXPECT_FALSE(window->IsMinimized());
    EXPECT_EQ(Text(window->GetWindowRect()), Text(Params().rect));

    const RECT work = host->GetWorkArea(Params().rect);
    window->ShowWindow(SW_MAXIMIZE);
    EXPECT_TRUE(window->IsMaximized());
    RECT onScreen{};
    ::GetWindowRect(Real(*window), &onScreen);
    EXPECT_EQ(Text(onScreen), Text(work));
    ASSERT_TRUE(RunUntil([&] { return !sink.Of(WM_SIZE).empty(); }));
    EXPECT_EQ(sink.Of(WM_SIZE).back().lParam, MAKELPARAM(work.right - work.left, work.bottom - work.top));

    // Restored from the taskbar's button of the maximised window: back where it was before.
    window->ShowWindow(SW_MINIMIZE);
    window->ShowWindow(SW_RESTORE);
    EXPECT_FALSE(window->IsMaximized());
    EXPECT_FALSE(window->IsMinimized());
    ::GetWindowRect(Real(*window), &onScreen);
    EXPECT_EQ(Text(onScreen), Text(Params().rect));
}

TEST_F(HostWin32Test, CloseIsTheFrameworksToDecide) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    ::SendMessageW(Real(*window), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(RunUntil([&] { return !sink.Of(WM_CLOSE).empty(); }));
    EXPECT_TRUE(::IsWindow(Real(*window))) << "the real window stays until the framework destroys it";

    const HWND real = Real(*window);
    window.reset();
    EXPECT_FALSE(::IsWindow(real));
}

TEST_F(HostWin32Test, PostsFromAnotherThreadArriveInOrderAndNoneIsLost) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    constexpr WPARAM kCount = 20000;  // more than the system's queue of a thread holds
    std::size_t arrived = 0;
    sink.onMessage = [&](UINT message, WPARAM) { arrived += message == kProgress; };
    std::thread worker([&] {
        for (WPARAM i = 0; i < kCount; ++i) host->PostMessage(kHandle, kProgress, i, 0);
    });
    // Under Wine they take 15-20 s on an idle machine: a busy one gets the time it needs, since the
    // test is about order and loss, not speed.
    const bool all = RunUntil([&] { return arrived == kCount; }, std::chrono::minutes(2));
    worker.join();
    ASSERT_TRUE(all) << arrived << " arrived";
    const auto posted = sink.Of(kProgress);
    for (WPARAM i = 0; i < kCount; ++i) ASSERT_EQ(posted[i].wParam, i);
}

TEST_F(HostWin32Test, TimersFireForTheFrameworksHandleUntilKilled) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    host->SetTimer(kHandle, 7, 20);
    ASSERT_TRUE(RunUntil([&] { return sink.Of(WM_TIMER).size() >= 2; }));
    for (const MSG& timer : sink.Of(WM_TIMER)) EXPECT_EQ(timer.wParam, 7u);
    EXPECT_TRUE(host->KillTimer(kHandle, 7));
    EXPECT_FALSE(host->KillTimer(kHandle, 7));
}

TEST_F(HostWin32Test, AWaitingTickComesOnceAfterPaintsAndNotAtAllOnceItsTimerIsKilled) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    const HWND real = Real(*window);
    host->SetTimer(kHandle, 9, 60000);  // the system's own tick never comes during the test
    // Ticks as the system gives them while the loop is busy elsewhere, then a part to repaint.
    ::SendMessageW(real, WM_TIMER, 9, 0);
    ::SendMessageW(real, WM_TIMER, 9, 0);
    window->Invalidate(RECT{0, 0, 10, 10});
    Drain();
    std::vector<UINT> order;
    for (const MSG& msg : sink.messages)
        if (msg.message == WM_TIMER || msg.message == WM_PAINT) order.push_back(msg.message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_PAINT, WM_TIMER}));

    ::SendMessageW(real, WM_TIMER, 9, 0);
    EXPECT_TRUE(host->KillTimer(kHandle, 9));
    Drain();
    EXPECT_EQ(sink.Of(WM_TIMER).size(), 1u) << "the killed timer's waiting tick";
}

// A loop that is not the host's, as the shell's folder dialog runs while the framework waits for it.
TEST_F(HostWin32Test, PostsAndTimersReachTheWindowWhileAnotherLoopRuns) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    host->SetTimer(kHandle, 3, 20);
    std::thread worker([&] {
        for (WPARAM i = 0; i < 100; ++i) host->PostMessage(kHandle, kProgress, i, 0);
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((sink.Of(kProgress).size() < 100 || sink.Of(WM_TIMER).empty()) &&
           std::chrono::steady_clock::now() < deadline) {
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else {
            ::MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    worker.join();
    const auto posted = sink.Of(kProgress);
    ASSERT_EQ(posted.size(), 100u);
    for (WPARAM i = 0; i < 100; ++i) EXPECT_EQ(posted[i].wParam, i);
    EXPECT_FALSE(sink.Of(WM_TIMER).empty());
}

// Cancels the shell's folder dialog among the windows of the thread it is enumerated for.
BOOL CALLBACK CancelFolderDialog(HWND window, LPARAM) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770") ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

TEST_F(HostWin32Test, PostsReachTheWindowWhileALoopOfTheSystemsRuns) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    window->ShowWindow(SW_SHOWNORMAL);
    const HWND real = Real(*window);
    const DWORD uiThread = ::GetCurrentThreadId();

    EXPECT_TRUE(ArrivesDuring(
        [&] {
            window->BeginMoveDrag(window->ClientToScreen(POINT{10, 10}));
        },
        [real] { ::PostMessageW(real, WM_KEYDOWN, VK_ESCAPE, 0); }))
        << "the caption drag's move loop";

    std::wstring chosen = L"not returned";
    {
        const ComApartment apartment;  // as on the wizard's UI thread
        EXPECT_TRUE(ArrivesDuring(
            [&] {
                chosen = BrowseForFolder(FolderPickerOwner{window->GetNativeHandle(), {}});
            },
            [uiThread] { ::EnumThreadWindows(uiThread, CancelFolderDialog, 0); }))
            << "the shell's folder dialog";
    }
    EXPECT_EQ(chosen, L"") << "cancelled";
}

TEST_F(HostWin32Test, KeyboardTextBecomesOneCodePointPerCharacter) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    struct Case {
        const char* what;
        std::vector<WPARAM> units;
        std::vector<WPARAM> chars;
    };
    const Case cases[] = {
        {"letter", {'a'}, {'a'}},
        {"CJK", {0x5B89}, {0x5B89}},
        {"surrogate pair", {0xD83D, 0xDE00}, {0x1F600}},
        {"control characters", {0x08, 0x09, 0x0D, 0x1B, 0x01, 0x7F}, {}},
        {"low half alone", {0xDE00, 'b'}, {'b'}},
        {"high half alone", {0xD83D, 'c'}, {'c'}},
    };
    for (const Case& c : cases) {
        sink.messages.clear();
        for (WPARAM unit : c.units) ::SendMessageW(Real(*window), WM_CHAR, unit, 1);
        Drain();
        std::vector<WPARAM> chars;
        for (const MSG& msg : sink.Of(WM_CHAR)) chars.push_back(msg.wParam);
        EXPECT_EQ(chars, c.chars) << c.what;
    }
}

TEST_F(HostWin32Test, WheelComesInClientCoordinates) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    const POINT screen = window->ClientToScreen(POINT{30, 20});
    ::SendMessageW(Real(*window), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA),
                   MAKELPARAM(screen.x, screen.y));
    Drain();
    const auto wheel = sink.Of(WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 1u);
    EXPECT_EQ(wheel[0].lParam, MAKELPARAM(30, 20));
    EXPECT_EQ(wheel[0].wParam, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA));
}

TEST_F(HostWin32Test, ClipboardTextRoundTrips) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    const std::wstring text = L"D:\\Larkholm\\安装目录 \U0001F600";
    window->SetClipboardText(text);
    EXPECT_EQ(window->GetClipboardText(), text);
    window->SetClipboardText(L"");
    EXPECT_EQ(window->GetClipboardText(), L"");
}

TEST_F(HostWin32Test, CursorNamedByTheFrameworkIsShownOverTheClientArea) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    const HWND real = Real(*window);
    const std::pair<const wchar_t*, LPCSTR> cases[] = {
        {L"hand", IDC_HAND}, {L"ibeam", IDC_IBEAM}, {L"arrow", IDC_ARROW}, {L"no-such-cursor", IDC_ARROW}};
    for (const auto& [name, id] : cases) {
        const HCURSOR expected = ::LoadCursorA(nullptr, id);
        window->SetCursor(name);
        EXPECT_EQ(::GetCursor(), expected) << name;
        // The system asks again on every move; the answer stays the framework's.
        ::SetCursor(::LoadCursorA(nullptr, IDC_CROSS));
        EXPECT_TRUE(::SendMessageW(real, WM_SETCURSOR, reinterpret_cast<WPARAM>(real),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), expected) << name;
    }
}

TEST_F(HostWin32Test, InputMethodComposesAtTheCaretAndCommitsCharacters) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    window->SetInputMethod(InputMethod::On);  // as a field of ordinary text takes the focus
    window->SetImePosition(POINT{48, 17});
    const HWND real = Real(*window);
    const HIMC context = ::ImmGetContext(real);
    ASSERT_NE(context, nullptr);
    COMPOSITIONFORM composition{};
    ASSERT_TRUE(::ImmGetCompositionWindow(context, &composition));
    EXPECT_EQ(composition.dwStyle, static_cast<DWORD>(CFS_POINT));
    EXPECT_EQ(composition.ptCurrentPos.x, 48);
    EXPECT_EQ(composition.ptCurrentPos.y, 17);
    ::ImmReleaseContext(real, context);

    // What the input method commits comes as characters.
    ::SendMessageW(real, WM_IME_CHAR, 0x5B89, 1);
    ::SendMessageW(real, WM_IME_CHAR, 0x88C5, 1);
    ASSERT_TRUE(RunUntil([&] { return sink.Of(WM_CHAR).size() == 2; }));
    EXPECT_EQ(sink.Of(WM_CHAR)[0].wParam, 0x5B89u);
    EXPECT_EQ(sink.Of(WM_CHAR)[1].wParam, 0x88C5u);
}

TEST_F(HostWin32Test, PresentPutsOnlyTheDamagedPartOnTheScreen) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    window->ShowWindow(SW_SHOWNORMAL);
    Drain();
    constexpr int kWidth = 320, kHeight = 200;
    std::vector<std::uint32_t> pixels(kWidth * kHeight, 0xFF0000FFu);  // blue
    const PixelView view{pixels.data(), kWidth, kHeight, kWidth * 4};
    window->Present(view, RECT{0, 0, kWidth, kHeight});
    std::fill(pixels.begin(), pixels.end(), 0xFFFF0000u);  // red, but only a part is damaged
    window->Present(view, RECT{10, 10, 40, 30});

    const HDC dc = ::GetDC(Real(*window));
    EXPECT_EQ(::GetPixel(dc, 20, 20), RGB(255, 0, 0)) << "inside the damaged part";
    EXPECT_EQ(::GetPixel(dc, 100, 100), RGB(0, 0, 255)) << "outside it";
    EXPECT_EQ(::GetPixel(dc, 40, 20), RGB(0, 0, 255)) << "just right of it";
    ::ReleaseDC(Real(*window), dc);
}

TEST_F(HostWin32Test, ExposedPartsAreAskedForAgain) {
    auto window = Open();
    ASSERT_NE(window, nullptr);
    window->ShowWindow(SW_SHOWNORMAL);
    Drain();
    window->TakeUpdateRect();
    ::InvalidateRect(Real(*window), nullptr, FALSE);  // as when another window uncovers it
    sink.messages.clear();
    ASSERT_TRUE(RunUntil([&] { return !sink.Of(WM_PAINT).empty(); }));
    EXPECT_EQ(Text(window->TakeUpdateRect()), Text(RECT{0, 0, 320, 200}));
}

}  // namespace
