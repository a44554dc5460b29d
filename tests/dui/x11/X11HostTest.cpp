// The X11 host on a private Xvfb server: a real window made from a layout, its size, a button
// clicked and an edit typed into by xdotool (through the X server, as a user would), and a
// screenshot taken by the X server kept as a test artifact; the CLIPBOARD served to other clients;
// the pointer's shape, the caption's grip, centring on one of two monitors, the folder picker
// opened over the window, and the window on a screen whose Xft.dpi says 192.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/TextConvert.h"
#include "support/platform/FolderPicker.h"
#include "tests/dui/support/CoreTestEnv.h"
#include "tests/dui/support/HostTestEnv.h"
#include "tests/dui/support/XvfbServer.h"
#include "tests/testing/Eventually.h"

// Last: Xlib defines None and Bool as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include "dui/src/host/x11/XResources.h"

namespace {

constexpr const char* kLayout =
    R"(<DUI title="Larkholm X11 test" width="666dp" height="474dp" resizable="1" appWnd="1">
  <root colorBkgnd="#2050a0ff">
    <caption name="caption" pos="0,0,-0,60dp" colorBkgnd="#103060ff">
      <img name="logo" pos="10,5,@50,@50"/>
      <text name="title" pos="80,20" colorText="#ffffffff">Larkholm setup</text>
    </caption>
    <button name="btn_go" pos="40dp,100dp,@160dp,@40dp" colorBkgnd="#ffffffff" colorText="#000000ff">Go</button>
    <edit name="edit_name" pos="40,170,@300,@32" colorBkgnd="#ffffffff" colorText="#000000ff" inset="4,0,4,0"/>
    <link name="lnk_doc" pos="40,240,@120,@24" cursor="hand" colorText="#ffffffff">doc</link>
  </root>
</DUI>)";

// Where artifacts go: the build tree when CTest runs us, else the temporary folder.
std::filesystem::path ArtifactDir() {
    const char* build = std::getenv("LARKHOLM_TEST_BINARY_DIR");
    std::filesystem::path dir = build != nullptr ? std::filesystem::path(build) / "test-artifacts"
                                                 : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(dir);
    return dir;
}

class X11HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartServer()) << "the X server did not start";
        auto host = CreateX11Host(server.Display().c_str());
        ASSERT_NE(host, nullptr);
        factory = CreateRenderFactory(CreateImgDecoderFactory());
        app = std::make_unique<SApplication>(factory.get(), L"DUIHOST", SObjectDefaultRegister(),
                                             std::move(host));
        wnd = std::make_unique<RecordingHost>(L"file:" + Utf8ToWide(dir.WriteFile("main.xml", kLayout)));
    }
    void TearDown() override {
        wnd.reset();
        app.reset();
        if (observer != nullptr) XCloseDisplay(observer);
    }
    virtual bool StartServer() { return server.Start(1280, 800); }
    // Creates, centres and shows the window; its X window id.
    std::string ShowCentred() {
        if (wnd->Create(nullptr, 0, 0, 0, 0) == nullptr) return {};
        wnd->CenterWindow();
        wnd->ShowWindow(SW_SHOWNORMAL);
        std::string id;
        RunUntil([&] { return !(id = WindowId()).empty(); });
        return id;
    }
    std::string Geometry(const std::string& id) {
        std::string geometry;
        server.Run("xdotool getwindowgeometry " + id, &geometry);
        return geometry;
    }

    // Runs the loop until `done` holds; a heartbeat timer keeps the wait short.
    bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
        wnd->SetTimer(999, 10);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        MSG msg;
        while (!done() && std::chrono::steady_clock::now() < deadline)
            if (app->GetHost().GetMessage(msg)) app->GetHost().DispatchMessage(msg);
        wnd->KillTimer(999);
        return done();
    }
    std::string WindowId() {
        std::string id;
        server.Run("xdotool search --name 'Larkholm X11 test'", &id);
        return id.substr(0, id.find('\n'));
    }
    POINT ScreenCentre(const wchar_t* name) {
        const RECT& rc = wnd->FindChildByName(name)->GetWindowRect();
        const RECT host = wnd->GetHostRect();
        return POINT{host.left + (rc.left + rc.right) / 2, host.top + (rc.top + rc.bottom) / 2};
    }
    bool ClickAt(POINT pt) { return server.Run("xdotool mousemove --sync " + Coordinates(pt) + " click 1"); }
    bool MoveTo(POINT pt) { return server.Run("xdotool mousemove --sync " + Coordinates(pt)); }
    static std::string Coordinates(POINT pt) { return std::to_string(pt.x) + " " + std::to_string(pt.y); }

    // The serial number of the cursor the X server shows now: each cursor has its own.
    unsigned long ShownCursor() {
        if (observer == nullptr) observer = XOpenDisplay(server.Display().c_str());
        XFixesCursorImage* image = observer != nullptr ? XFixesGetCursorImage(observer) : nullptr;
        const unsigned long serial = image != nullptr ? image->cursor_serial : 0;
        if (image != nullptr) XFree(image);
        return serial;
    }
    // Moves the pointer to `name` and waits for the shown cursor to differ from `other`.
    unsigned long CursorOver(const wchar_t* name, unsigned long other) {
        unsigned long shown = other;
        MoveTo(ScreenCentre(name));
        RunUntil([&] { return (shown = ShownCursor()) != other; }, 3000);
        return shown;
    }

    // Asks the CLIPBOARD's owner for UTF-8 text the way other programs do, while our loop runs.
    std::string ReadClipboardAsAnotherClient() {
        Display* other = XOpenDisplay(server.Display().c_str());
        if (other == nullptr) return "no display";
        const Window window = XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 1, 1, 0, 0, 0);
        const Atom clipboard = XInternAtom(other, "CLIPBOARD", False);
        const Atom utf8 = XInternAtom(other, "UTF8_STRING", False);
        const Atom property = XInternAtom(other, "TEST_PASTE", False);
        XConvertSelection(other, clipboard, utf8, property, window, CurrentTime);
        XFlush(other);
        XEvent event{};
        RunUntil([&] { return XCheckTypedWindowEvent(other, window, SelectionNotify, &event) == True; });
        std::string text;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (event.type == SelectionNotify && event.xselection.property != None &&
            XGetWindowProperty(other, window, property, 0, 1024, True, AnyPropertyType, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr)
            text.assign(reinterpret_cast<const char*>(data), count);
        if (data != nullptr) XFree(data);
        XCloseDisplay(other);
        return text;
    }

    XvfbServer server;
    Display* observer = nullptr;  // a second client, asking the server what it shows
    larkholm::testing::TempDir dir;
    std::unique_ptr<IRenderFactory> factory;
    std::unique_ptr<SApplication> app;
    std::unique_ptr<RecordingHost> wnd;
};

TEST_F(X11HostTest, RealWindowTakesClicksAndTypingAndShowsItsFrame) {
    ASSERT_NE(wnd->Create(nullptr, 0, 0, 0, 0), nullptr);
    wnd->CenterWindow();
    wnd->ShowWindow(SW_SHOWNORMAL);
    std::string id;
    ASSERT_TRUE(RunUntil([&] { return !(id = WindowId()).empty(); }));

    std::string geometry;
    ASSERT_TRUE(server.Run("xdotool getwindowgeometry " + id, &geometry));
    EXPECT_NE(geometry.find("Geometry: 666x474"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Position: 307,163"), std::string::npos) << geometry;  // centred on 1280 x 800

    ASSERT_TRUE(ClickAt(ScreenCentre(L"btn_go")));
    EXPECT_TRUE(RunUntil([&] { return wnd->Commands(L"btn_go") == 1; }));

    ASSERT_TRUE(ClickAt(ScreenCentre(L"edit_name")));
    ASSERT_TRUE(server.Run("xdotool type --delay 20 'Hello x11'"));
    SWindow* edit = wnd->FindChildByName(L"edit_name");
    EXPECT_TRUE(RunUntil([&] { return edit->GetText() == L"Hello x11"; })) << WideToUtf8(edit->GetText());
    ASSERT_TRUE(server.Run("xdotool key BackSpace BackSpace BackSpace shift+Home ctrl+x"));
    EXPECT_TRUE(RunUntil([&] { return edit->GetText().empty(); })) << WideToUtf8(edit->GetText());
    ASSERT_TRUE(server.Run("xdotool key ctrl+v ctrl+v"));  // the CLIPBOARD selection we now own
    EXPECT_TRUE(RunUntil([&] { return edit->GetText() == L"Hello Hello "; })) << WideToUtf8(edit->GetText());
    EXPECT_EQ(ReadClipboardAsAnotherClient(), "Hello ");

    // The X server's own picture of the window: the button's white where the layout puts it.
    const std::string shot = (ArtifactDir() / "x11-host-window.png").string();
    RunUntil([] { return false; }, 200);  // let the last paints reach the server
    ASSERT_TRUE(server.Run("import -window " + id + " " + shot));
    const std::string bytes = larkholm::testing::ReadFile(shot);
    auto picture = factory->LoadBitmap(bytes.data(), bytes.size());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 666);
    EXPECT_EQ(picture->GetPixel(45, 105), RGBA(255, 255, 255, 255));
    EXPECT_EQ(picture->GetPixel(400, 300), RGBA(0x20, 0x50, 0xa0, 255));
}

TEST_F(X11HostTest, PointerShowsTheShapeOfTheWindowUnderIt) {
    ASSERT_FALSE(ShowCentred().empty());
    const unsigned long desktop = ShownCursor();
    const unsigned long arrow = CursorOver(L"btn_go", desktop);
    ASSERT_NE(arrow, desktop) << "the window shows no cursor of its own";
    const unsigned long ibeam = CursorOver(L"edit_name", arrow);
    EXPECT_NE(ibeam, arrow);
    const unsigned long hand = CursorOver(L"lnk_doc", ibeam);
    EXPECT_NE(hand, ibeam);
    EXPECT_NE(hand, arrow);
    EXPECT_EQ(CursorOver(L"title", hand), arrow);  // back to the arrow where no shape is asked
}

TEST_F(X11HostTest, CaptionTitleAndLogoDragTheWindow) {
    const std::string id = ShowCentred();
    ASSERT_FALSE(id.empty());
    int moves = 0;
    wnd->onMessage = [&](UINT message, WPARAM wParam, LPARAM, bool&) -> LRESULT {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MOVE) ++moves;
        return 0;
    };
    RECT expected = wnd->GetHostRect();
    for (const wchar_t* grip : {L"title", L"logo"}) {
        const POINT from = ScreenCentre(grip);
        ASSERT_TRUE(server.Run("xdotool mousemove --sync " + Coordinates(from) + " mousedown 1"));
        const int before = moves;
        ASSERT_TRUE(RunUntil([&] { return moves > before; })) << WideToUtf8(grip) << " did not start a move";
        ASSERT_TRUE(MoveTo(POINT{from.x + 120, from.y + 60}));
        expected = RECT{expected.left + 120, expected.top + 60, expected.right + 120, expected.bottom + 60};
        EXPECT_TRUE(RunUntil([&] { return wnd->GetHostRect().left == expected.left; }))
            << WideToUtf8(grip) << ": " << wnd->GetHostRect().left;
        ASSERT_TRUE(server.Run("xdotool mouseup 1"));
    }
    EXPECT_NE(
        Geometry(id).find("Position: " + std::to_string(expected.left) + "," + std::to_string(expected.top)),
        std::string::npos)
        << Geometry(id);
}

TEST_F(X11HostTest, FolderPickerBelongsToTheWindowWhichPaintsOnAndIgnoresClicksMeanwhile) {
    const std::string id = ShowCentred();
    ASSERT_FALSE(id.empty());
    SetFolderPickerHandler(nullptr);
    constexpr UINT kOpenPicker = WM_USER + 1, kRecolour = WM_USER + 2;
    std::wstring chosen = L"unset";
    wnd->onMessage = [&](UINT message, WPARAM, LPARAM, bool& handled) -> LRESULT {
        handled = message == kOpenPicker || message == kRecolour;
        if (message == kOpenPicker) {
            // As the wizard opens it.
            const FolderPickerOwner owner{wnd->GetHostWindow()->GetNativeHandle(), [&](int pickerProcess) {
                                              wnd->GetHostWindow()->AdoptWindowsOf(pickerProcess);
                                              wnd->PumpWithoutInput();
                                          }};
            chosen = BrowseForFolder(owner);
        } else if (message == kRecolour) {
            wnd->ApplyAttribute(L"colorBkgnd", L"#ff8000ff", false);  // the host is the root
            wnd->Invalidate();
        }
        return 0;
    };

    // The operator's side, while the wizard's thread waits in the picker.
    const POINT button = ScreenCentre(L"btn_go");
    char ownerHex[32];
    std::snprintf(ownerHex, sizeof ownerHex, "# 0x%lx", std::stoul(id));
    std::atomic<bool> pickerSeen{false}, transient{false}, repainted{false};
    std::string lastPixel;  // read after the thread ends
    std::thread operatorThread([&] {
        std::string picker;
        if (!larkholm::testing::Eventually([&] {
                return server.Run("xdotool search --name '请选择安装目录'", &picker) && !picker.empty();
            }))
            return;
        picker = picker.substr(0, picker.find('\n'));
        pickerSeen = true;
        std::string hint;
        transient = larkholm::testing::Eventually([&] {
            return server.Run("xprop -id " + picker + " WM_TRANSIENT_FOR", &hint) &&
                   hint.find(ownerHex) != std::string::npos;
        });
        // Out of the way (right of the wizard), so the click lands on the wizard's button and the
        // wizard's window can be seen.
        server.Run("xdotool windowmove --sync " + picker + " 1000 0");
        ClickAt(button);
        wnd->PostMessage(kRecolour);
        const std::string shot = (ArtifactDir() / "x11-behind-picker.png").string();
        for (int attempt = 0; attempt < 100 && !repainted; ++attempt)
            repainted = server.Run("import -window " + id + " " + shot) &&
                        server.Run("convert " + shot + " -format '%[pixel:p{600,400}]' info:", &lastPixel) &&
                        lastPixel.find("255,128,0") != std::string::npos;
        // The operator cancels at the picker (keys go where the pointer is: there is no window
        // manager).
        server.Run("xdotool mousemove --window " + picker + " 30 30 key Escape");
    });
    // The picker is a program of the desktop session the wizard runs in.
    const char* sessionDisplay = std::getenv("DISPLAY");
    const std::string previousDisplay = sessionDisplay != nullptr ? sessionDisplay : "";
    setenv("DISPLAY", server.Display().c_str(), 1);
    wnd->PostMessage(kOpenPicker);
    EXPECT_TRUE(RunUntil([&] { return chosen != L"unset"; }, 60000));
    if (previousDisplay.empty())
        unsetenv("DISPLAY");
    else
        setenv("DISPLAY", previousDisplay.c_str(), 1);
    operatorThread.join();
    EXPECT_TRUE(pickerSeen);
    EXPECT_TRUE(transient) << "the picker is not transient for the wizard's window";
    EXPECT_TRUE(repainted) << "the wizard did not paint while the picker was open: " << lastPixel;
    EXPECT_EQ(chosen, L"");               // cancelled
    RunUntil([] { return false; }, 300);  // a queued click would be replayed now
    EXPECT_EQ(wnd->Commands(L"btn_go"), 0);
}

// A 200 % screen: the desktop's settings put Xft.dpi 192 into the root window's resources, as
// xrdb does.
class X11HighDensityTest : public X11HostTest {
protected:
    bool StartServer() override {
        if (!server.Start(1600, 1200)) return false;
        Display* display = XOpenDisplay(server.Display().c_str());
        if (display == nullptr) return false;
        const std::string resources = "Xft.antialias:\t1\nXft.dpi:\t192\n";
        XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(resources.data()),
                        static_cast<int>(resources.size()));
        XCloseDisplay(display);  // the property stays on the root window
        return true;
    }
};

TEST_F(X11HighDensityTest, WindowIsDrawnAtTheScaleOfTheScreenAndClickedWhereItIsDrawn) {
    const std::string id = ShowCentred();
    ASSERT_FALSE(id.empty());
    EXPECT_NE(Geometry(id).find("Geometry: 1332x948"), std::string::npos) << Geometry(id);
    EXPECT_EQ(wnd->GetScale(), 200);
    EXPECT_EQ(RectText(wnd->FindChildByName(L"btn_go")->GetWindowRect()), "80,200,400,280");
    // The pointer lands in the pixels the button is drawn in, near its far corner.
    const RECT host = wnd->GetHostRect();
    ASSERT_TRUE(ClickAt(POINT{host.left + 390, host.top + 270}));
    EXPECT_TRUE(RunUntil([&] { return wnd->Commands(L"btn_go") == 1; }));
}

TEST(XResources, XftDpiIsTheLastValidEntryOfItsName) {
    EXPECT_EQ(XftDpi("Xft.dpi:\t192\n").value_or(0), 192);
    EXPECT_EQ(XftDpi("Xft.antialias:\t1\nXft.dpi:  144.5\r\nXcursor.size: 24").value_or(0), 144.5);
    EXPECT_EQ(XftDpi("Xft.dpi:\t96\nXft.dpi:\t120\n").value_or(0), 120);
    EXPECT_FALSE(XftDpi(""));
    EXPECT_FALSE(XftDpi("Xft.dpi:\tlarge\n"));
    EXPECT_FALSE(XftDpi("Xft.dpi:\t-96\n"));
    EXPECT_FALSE(XftDpi("Xft.dpix: 192\n"));
    EXPECT_FALSE(XftDpi("*.dpi: 192\n"));
}

// Two 800 x 600 monitors side by side (Xinerama), the desktop 1600 pixels wide.
class X11TwoMonitorTest : public X11HostTest {
protected:
    bool StartServer() override { return outer.Start(1700, 700) && server.StartTwoMonitors(outer, 800, 600); }
    XvfbServer outer;
};

TEST_F(X11TwoMonitorTest, WindowIsCentredOnTheMonitorItIsOnNotOnTheSeam) {
    const std::string id = ShowCentred();
    ASSERT_FALSE(id.empty());
    EXPECT_NE(Geometry(id).find("Position: 67,63"), std::string::npos) << Geometry(id);  // (800 - 666) / 2

    wnd->SetHostRect(RECT{1000, 50, 1666, 524});  // mostly on the right monitor
    wnd->CenterWindow();
    EXPECT_EQ(wnd->GetHostRect().left, 800 + 67);
    EXPECT_EQ(wnd->GetHostRect().top, 63);
}

}  // namespace
