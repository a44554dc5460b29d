// What a high-density screen costs: the wizard's main window (its real layout, skins and pictures,
// read from app/res) on the headless host at 200 % display scale and at 100 %, in one run:
//  1. the median time to repaint the whole window with the install form shown (Cairo);
//  2. the median time from creating the window to its first painted frame.
// Prints the figures and RATIO lines (200 % against 100 %). The two frames timed are left in the
// working directory as scale-100.png and scale-200.png.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/common/BenchScratch.h"
#include "dui/include/core/SApplication.h"
#include "dui/include/core/SHostWnd.h"
#include "dui/src/control/SGifPlayer.h"
#include "dui/src/host/headless/HostHeadless.h"
#include "dui/src/skin/SSkinGif.h"
#include "support/TextConvert.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRepaints = 200;
constexpr int kStarts = 9;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

struct Figures {
    double repaint = 0;
    double firstFrame = 0;
    double coldFirstFrame = 0;  // the first window of the process: its pictures decoded for it
};

Figures Measure(int scale, const std::wstring& resources) {
    setenv("LARKHOLM_SCALE", std::to_string(scale).c_str(), 1);
    auto factory = CreateRenderFactory(CreateImgDecoderFactory());
    auto headless = std::make_unique<HostHeadless>();
    HostHeadless& host = *headless;
    SApplication app(factory.get(), L"DUIHOST", SObjectDefaultRegister(), std::move(headless));
    app.GetObjectFactory().Register<SGifPlayer>();
    app.GetObjectFactory().Register<SSkinGif>();
    SAutoRefPtr<IResProvider> folder = CreateResProvider(kResProviderFiles);
    folder->Init(resources);
    app.GetResProviderMgr().RegisterProvider(folder.get(), L"uidef:xml_init");

    Figures figures;
    std::vector<double> starts;
    for (int i = 0; i < kStarts; ++i) {
        const auto start = Clock::now();
        SHostWnd wnd(L"LAYOUT:XML_MAINWND");
        wnd.Create(nullptr, 0, 0, 0, 0);
        wnd.ShowWindow(SW_SHOW);
        wnd.UpdateWindow();
        starts.push_back(Milliseconds(start));
    }
    figures.coldFirstFrame = starts.front();
    figures.firstFrame = bench::Median(starts);

    SHostWnd wnd(L"LAYOUT:XML_MAINWND");
    wnd.Create(nullptr, 0, 0, 0, 0);
    wnd.FindChildByName(L"win_install_allnew")->Show(true, false);
    wnd.ShowWindow(SW_SHOW);
    host.Pump();
    const SIZE size = wnd.GetRenderTarget()->GetSize();
    std::vector<double> times;
    for (int i = 0; i < kRepaints; ++i) {
        host.Window(wnd.GetHwnd())->Invalidate(RECT{0, 0, size.cx, size.cy});
        const auto start = Clock::now();
        wnd.UpdateWindow();
        times.push_back(Milliseconds(start));
    }
    figures.repaint = bench::Median(times);
    wnd.GetRenderTarget()->SavePng("scale-" + std::to_string(scale) + ".png");
    std::printf(
        "%d %%: window %ldx%ld, full repaint median %.2f ms of %d, create to first frame median %.1f ms "
        "of %d (the first %.1f ms)\n",
        scale, static_cast<long>(size.cx), static_cast<long>(size.cy), figures.repaint, kRepaints,
        figures.firstFrame, kStarts, figures.coldFirstFrame);
    return figures;
}

}  // namespace

int main() {
    const char* source = std::getenv("LARKHOLM_SOURCE_DIR");
    const std::wstring resources = Utf8ToWide(std::string(source != nullptr ? source : ".") + "/app/res");
    const Figures at100 = Measure(100, resources);
    const Figures at200 = Measure(200, resources);
    std::printf("repaint at 200 %% / 100 %%: %.2f (four times the pixels; target <= 4.5)\n",
                at200.repaint / at100.repaint);
    std::printf("RATIO repaint-200-percent %.2f %.2f ms repaint-at-100-percent\n", at200.repaint,
                at100.repaint);
    std::printf("RATIO first-frame-200-percent %.1f %.1f ms first-frame-at-100-percent\n", at200.firstFrame,
                at100.firstFrame);
    std::printf("RATIO cold-first-frame-200-percent %.1f %.1f ms cold-first-frame-at-100-percent\n",
                at200.coldFirstFrame, at100.coldFirstFrame);
    return 0;
}
