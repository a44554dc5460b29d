// The fixture of tests that drive one host window on the headless host: the window is built from
// a layout, shown, and its first frame painted before the test starts.
//
//     class MyTest : public HostWindowTest {
//         void SetUp() override { Open(kLayout); }
//     };
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tests/dui/support/HostTestEnv.h"

class HostWindowTest : public ::testing::Test {
protected:
    // Creates the window from `layoutXml`, shows it and dispatches what that queued. Called from
    // SetUp, a window that cannot be created fails the test before its body runs.
    void Open(const char* layoutXml);
    // What the headless host made for the window.
    HeadlessWindow& Real() { return *env.Host().Window(wnd->GetHwnd()); }

    HostTestEnv env;
    std::unique_ptr<RecordingHost> wnd;
    std::unique_ptr<HeadlessDriver> ui;
};
