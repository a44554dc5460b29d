// Two figures for the UI framework:
//  1. the median time to repaint the whole of a 666 x 474 window with a skinned background, text
//     (Chinese and Latin), skinned buttons, check boxes, an edit, a progress bar and translucent
//     overlays (per-window opacity and "#RRGGBBAA" colours), drawn off-screen on the headless host;
//  2. on a private Xvfb, the time from starting a process to its window appearing (MapNotify),
//     for this framework's window and for `zenity --info`, median of several starts each.
// Usage: bench_repaint [--child LAYOUT]   (the child form is the process the second figure starts).
// The frame the first figure times is left in the working directory as repaint-frame.png.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bench/common/BenchScratch.h"
#include "dui/include/core/SApplication.h"
#include "dui/include/core/SHostWnd.h"
#include "dui/src/host/headless/HostHeadless.h"
#include "support/TextConvert.h"
#include "tests/dui/support/XvfbServer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRepaints = 300;
constexpr int kStarts = 7;

// A picture written as a PNG: a rounded-looking frame with a 6-pixel border, for nine-grid skins.
std::string WritePicture(IRenderFactory& factory, const std::filesystem::path& path, int width, int height,
                         int frames) {
    auto target = factory.CreateRenderTarget(SIZE{width * frames, height});
    for (int f = 0; f < frames; ++f) {
        const RECT rc{f * width, 0, (f + 1) * width, height};
        target->Clear(rc, RGBA(40 + 40 * f, 120, 200, 255));
        target->FrameRect(rc, RGBA(255, 255, 255, 200), 2);
        target->FillRect(RECT{rc.left + 6, 6, rc.right - 6, height - 6}, RGBA(255, 255, 255, 40));
    }
    target->SavePng(path.string());
    return "file:" + path.string();
}

std::string Layout(IRenderFactory& factory, const std::filesystem::path& dir) {
    const std::string bk = WritePicture(factory, dir / "bk.png", 64, 64, 1);
    const std::string btn = WritePicture(factory, dir / "btn.png", 40, 20, 4);
    const std::string check = WritePicture(factory, dir / "check.png", 16, 16, 8);
    std::string rows;
    for (int i = 0; i < 6; ++i) {
        const std::string y = std::to_string(80 + i * 42);
        rows +=
            R"(<text pos="30,)" + y +
            R"(,@150,@30" align="left" colorText="#ffffffff" font="face:微软雅黑,size:16">安装目录 Install )" +
            std::to_string(i) + R"(</text>
    <edit pos="190,)" +
            y +
            R"(,@260,@30" skin="skin_btn" inset="4,0,4,0" colorText="#000000ff">C:\Program Files\Larkholm</edit>
    <check pos="470,)" +
            y + R"(,@150,@30" skin="skin_check" colorText="#ffffffff" checked="1">快捷方式 shortcut</check>
)";
    }
    return R"(<DUI title="Larkholm repaint" width="666" height="474" resizable="1" appWnd="1">
  <skin>
    <imgframe name="skin_bk" src=")" +
           bk + R"(" margin="6,6,6,6"/>
    <imgframe name="skin_btn" src=")" +
           btn + R"(" states="4" margin="6,6,6,6"/>
    <imgframe name="skin_check" src=")" +
           check + R"(" states="8"/>
  </skin>
  <root skin="skin_bk">
    <caption pos="0,0,-0,60" colorBkgnd="#00000040">
      <text pos="16,|0" colorText="#ffffffff" font="face:微软雅黑,bold:1,size:18">Larkholm服务端安装向导</text>
    </caption>
    )" + rows +
           R"(
    <progress pos="30,350,-30,@12" min="0" max="100" value="60" bkgndSkin="skin_btn" posSkin="skin_check"/>
    <text pos="30,370,-30,@60" colorText="#ffffffff" multiLines="1" font="size:14">安装过程中请勿退出安装程序。The wizard downloads the package, checks every file and unpacks it into the folder you chose.</text>
    <button pos="-200,-60,@160,@40" skin="skin_btn" colorText="#ffffffff" font="size:18">开始安装</button>
    <window pos="0,60,-0,-0" colorBkgnd="#10204080"/>
    <window pos="|-200,|-100,@400,@200" colorBkgnd="#ffffffff" alpha="200">
      <text pos="0,0,-0,-0" colorText="#203040ff" font="face:宋体,size:18">确定要退出安装吗?</text>
    </window>
  </root>
</DUI>)";
}

double MeasureRepaint(const std::filesystem::path& dir) {
    auto factory = CreateRenderFactory(CreateImgDecoderFactory());
    auto headless = std::make_unique<HostHeadless>();
    HostHeadless& host = *headless;
    SApplication app(factory.get(), L"DUIHOST", SObjectDefaultRegister(), std::move(headless));
    std::ofstream(dir / "layout.xml") << Layout(*factory, dir);
    SHostWnd wnd(L"file:" + (dir / "layout.xml").wstring());
    wnd.Create(nullptr, 0, 0, 0, 0);
    wnd.ShowWindow(SW_SHOW);
    host.Pump();
    std::vector<double> times;
    for (int i = 0; i < kRepaints; ++i) {
        host.Window(wnd.GetHwnd())->Invalidate(RECT{0, 0, 666, 474});
        const auto start = Clock::now();
        wnd.UpdateWindow();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    // The picture that was timed, to look at beside the figure.
    wnd.GetRenderTarget()->SavePng("repaint-frame.png");
    return bench::Median(times);
}

// The child: show the layout's window on $DISPLAY and run until terminated.
int RunChild(const char* layout) {
    auto factory = CreateRenderFactory(CreateImgDecoderFactory());
    SApplication app(factory.get(), L"DUIHOST", SObjectDefaultRegister());
    if (!app.HasHost()) return 1;
    SHostWnd wnd(Utf8ToWide(std::string("file:") + layout));
    if (wnd.Create(nullptr, 0, 0, 0, 0) == nullptr) return 1;
    wnd.CenterWindow();
    wnd.ShowWindow(SW_SHOWNORMAL);
    return app.Run(wnd.GetHwnd());
}

// Milliseconds from fork to the first top-level window of the new process being mapped.
double TimeToFirstWindow(const std::string& display, const std::vector<std::string>& argv) {
    Display* x = XOpenDisplay(display.c_str());
    if (x == nullptr) return -1;
    XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
    XSync(x, False);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    double elapsed = -1;
    while (elapsed < 0 && Clock::now() - start < std::chrono::seconds(20)) {
        if (XPending(x) == 0) {
            pollfd fd{ConnectionNumber(x), POLLIN, 0};
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(x, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect)
            elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(x);
    return elapsed;
}

double MedianStart(const std::string& display, const std::vector<std::string>& argv) {
    std::vector<double> times;
    for (int i = 0; i < kStarts; ++i) {
        const double t = TimeToFirstWindow(display, argv);
        if (t < 0) return -1;
        times.push_back(t);
    }
    return bench::Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return RunChild(argv[2]);

    const std::filesystem::path dir = bench::ScratchRoot("repaint");
    std::filesystem::create_directories(dir);
    const double repaint = MeasureRepaint(dir);
    std::printf(
        "full repaint 666x474 (skins, text, translucent overlays): median %.2f ms of %d (target <= 4 ms)\n",
        repaint, kRepaints);

    XvfbServer server;
    if (!server.Start(1280, 800)) {
        std::printf("start-to-first-frame: Xvfb did not start\n");
        std::filesystem::remove_all(dir);
        return 1;
    }
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    const double ours = MedianStart(server.Display(), {self, "--child", (dir / "layout.xml").string()});
    const double zenity = MedianStart(server.Display(), {"zenity", "--info", "--text=Larkholm"});
    std::printf("start to first frame on Xvfb, median of %d: ours %.1f ms, zenity --info %.1f ms", kStarts,
                ours, zenity);
    if (ours > 0 && zenity > 0) std::printf(", ratio %.2f (target <= 0.5)", ours / zenity);
    std::printf("\n");
    if (ours > 0 && zenity > 0) std::printf("RATIO start-to-first-frame %.1f %.1f ms zenity\n", ours, zenity);
    std::filesystem::remove_all(dir);
    return 0;
}
