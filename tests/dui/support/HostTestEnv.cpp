#include "tests/dui/support/HostTestEnv.h"

#include <algorithm>

#include "dui/include/core/SEvents.h"
#include "dui/include/core/SObjectFactory.h"
#include "dui/src/control/SGifPlayer.h"
#include "dui/src/skin/SSkinGif.h"
#include "support/TextConvert.h"

HostTestEnv::HostTestEnv() : factory(CreateRenderFactory(CreateImgDecoderFactory())) {
    auto headless = std::make_unique<HostHeadless>(SIZE{1280, 800});
    host = headless.get();
    app = std::make_unique<SApplication>(factory.get(), L"DUIHOST", SObjectDefaultRegister(),
                                         std::move(headless));
    // What the wizard adds at start-up.
    app->GetObjectFactory().Register<SGifPlayer>();
    app->GetObjectFactory().Register<SSkinGif>();
}

HostTestEnv::~HostTestEnv() = default;

std::wstring HostTestEnv::Layout(const std::string& xml) {
    static int count = 0;
    return L"file:" + Utf8ToWide(dir.WriteFile("layout" + std::to_string(++count) + ".xml", xml));
}

std::string HostTestEnv::Picture(const std::string& name, int width, int height,
                                 const std::function<COLORREF(int x, int y)>& paint) {
    auto target = factory->CreateRenderTarget(SIZE{width, height});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) target->Clear(RECT{x, y, x + 1, y + 1}, paint(x, y));
    const std::string path = dir / (name + ".png");
    target->SavePng(path);
    return "file:" + path;
}

int RecordingHost::Commands(const std::wstring& name) const {
    return static_cast<int>(std::count(events.begin(), events.end(), std::wstring(L"on_command@") + name));
}

LRESULT RecordingHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == WM_TIMER)
        messages.push_back(MSG{GetHwnd(), message, wParam, lParam, 0, {}});
    if (onMessage) {
        bool handled = false;
        const LRESULT result = onMessage(message, wParam, lParam, handled);
        if (handled) return result;
    }
    return SHostWnd::WindowProc(message, wParam, lParam);
}

bool RecordingHost::HandleEvent(EventArgs& evt) {
    events.push_back(std::wstring(evt.GetName()) + L"@" + evt.nameFrom);
    return SHostWnd::HandleEvent(evt);
}
