// The X11 host on a private Xvfb server: a real window made from a layout, its size, a button
// clicked and an edit typed into by xdotool (through the X server, as a user would), and a
// screenshot taken by the X server kept as a test artifact; the CLIPBOARD served to other clients.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "support/TextConvert.h"
#include "tests/dui/support/HostTestEnv.h"
#include "tests/dui/support/XvfbServer.h"

// Last: Xlib defines None and Bool as macros.
#include <X11/Xlib.h>

namespace {

constexpr const char* kLayout =
    R"(<DUI title="Larkholm X11 test" width="666" height="474" resizable="1" appWnd="1">
  <root colorBkgnd="#2050a0ff">
    <caption name="caption" pos="0,0,-0,60" colorBkgnd="#103060ff"/>
    <button name="btn_go" pos="40,100,@160,@40" colorBkgnd="#ffffffff" colorText="#000000ff">Go</button>
    <edit name="edit_name" pos="40,170,@300,@32" colorBkgnd="#ffffffff" colorText="#000000ff" inset="4,0,4,0"/>
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
        ASSERT_TRUE(server.Start(1280, 800)) << "Xvfb did not start";
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
    bool ClickAt(POINT pt) {
        return server.Run("xdotool mousemove --sync " + std::to_string(pt.x) + " " + std::to_string(pt.y) +
                          " click 1");
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

}  // namespace
