#include "tests/dui/support/HostWindowTest.h"

void HostWindowTest::Open(const char* layoutXml) {
    wnd = std::make_unique<RecordingHost>(env.Layout(layoutXml));
    ASSERT_NE(wnd->Create(nullptr, 0, 0, 0, 0), nullptr);
    wnd->ShowWindow(SW_SHOWNORMAL);
    ui = std::make_unique<HeadlessDriver>(env.Host(), *wnd);
    ui->Pump();
}
