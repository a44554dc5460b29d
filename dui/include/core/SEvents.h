// Event objects a window raises (SWindow::RaiseEvent) and their ids and names. Every event carries
// its sender (window, id, name), a bubble-up flag a subscriber may clear to keep the event from the
// host, and the count of subscribers that handled it. Created on the stack by the raiser; UI thread.
#pragma once

#include <string>

#include "support/WinTypes.h"

class SWindow;

class EventArgs {
public:
    explicit EventArgs(SWindow* sender);
    virtual ~EventArgs() = default;

    virtual int GetID() const = 0;
    // Empty for events only the host raises.
    virtual const wchar_t* GetName() const = 0;

    SWindow* sender = nullptr;
    int idFrom = 0;
    std::wstring nameFrom;
    bool bubbleUp = true;
    int handled = 0;
};

#define DUI_EVENT(Class, id, name)                     \
    static constexpr int kEventId = id;                \
    static constexpr const wchar_t* kEventName = name; \
    int GetID() const override {                       \
        return kEventId;                               \
    }                                                  \
    const wchar_t* GetName() const override {          \
        return kEventName;                             \
    }                                                  \
    using EventArgs::EventArgs;

// An event that carries nothing beyond what every event does.
#define DUI_PLAIN_EVENT(Class, id, name) \
    class Class : public EventArgs {     \
    public:                              \
        DUI_EVENT(Class, id, name)       \
    };

DUI_PLAIN_EVENT(EventInit, 8000, L"")
DUI_PLAIN_EVENT(EventExit, 8001, L"")
class EventTimer : public EventArgs {
public:
    DUI_EVENT(EventTimer, 8002, L"")
    UINT timerId = 0;
};
DUI_PLAIN_EVENT(EventSetFocus, 8100, L"on_set_focus")
DUI_PLAIN_EVENT(EventKillFocus, 8101, L"on_kill_focus")
DUI_PLAIN_EVENT(EventSwndCreate, 8102, L"on_create")
DUI_PLAIN_EVENT(EventSwndDestroy, 8103, L"on_destroy")
class EventSwndSize : public EventArgs {
public:
    DUI_EVENT(EventSwndSize, 8104, L"on_size")
    SIZE size;
};
DUI_PLAIN_EVENT(EventSwndVisibleChanged, 8105, L"on_visible_changed")
class EventSwndStateChanged : public EventArgs {
public:
    DUI_EVENT(EventSwndStateChanged, 8106, L"on_state_changed")
    DWORD oldState = 0;
    DWORD newState = 0;
};
class EventLButtonDown : public EventArgs {
public:
    DUI_EVENT(EventLButtonDown, 8107, L"on_mouse_lbutton_down")
    POINT pt;
};
class EventLButtonUp : public EventArgs {
public:
    DUI_EVENT(EventLButtonUp, 8108, L"on_mouse_lbutton_up")
    POINT pt;
};
DUI_PLAIN_EVENT(EventSwndMouseHover, 9000, L"on_mouse_hover")
DUI_PLAIN_EVENT(EventSwndMouseLeave, 9001, L"on_mouse_leave")
DUI_PLAIN_EVENT(EventCmd, 10000, L"on_command")
class EventCtxMenu : public EventArgs {
public:
    DUI_EVENT(EventCtxMenu, 10001, L"on_conext_menu")
    POINT pt;
};
DUI_PLAIN_EVENT(EventAnimateStart, 22100, L"")
DUI_PLAIN_EVENT(EventAnimateStop, 22101, L"")
