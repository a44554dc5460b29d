// The icons of a window and of its class: HICONs made from the framework's premultiplied frames,
// the one nearest the system's big icon size (32 px) and the one nearest its small size (16 px),
// given to the window (WM_SETICON) and to its class (the taskbar and Alt+Tab read either).
// Owned by the window, which frees them when it goes; UI thread only.
#pragma once

#include <windows.h>

#include <vector>

#include "dui/include/core/RenderTypes.h"

// A colour icon of `frame` (straight alpha, as icons carry it); nullptr when the frame is empty.
HICON CreateIconFromFrame(const ImgFrame& frame);

class WindowIcons {
public:
    WindowIcons() = default;
    ~WindowIcons();
    WindowIcons(const WindowIcons&) = delete;
    WindowIcons& operator=(const WindowIcons&) = delete;

    // Replaces the icons of `window` and of its class; nothing changes when `frames` is empty.
    void Set(HWND window, const std::vector<ImgFrame>& frames);
    // Takes the icons back from `window` and its class and frees them (before the window goes,
    // so the class never keeps a freed icon for the next window).
    void Clear(HWND window);

private:
    void Free();

    HICON big_ = nullptr;
    HICON small_ = nullptr;
};
