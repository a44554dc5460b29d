// The events one window offers and their subscribers. A window registers the base events at
// construction; controls add their own. Firing calls the subscribers of that id in subscription
// order and counts each that returns true in the event's `handled`. Muted sets fire nothing.
// UI thread only.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "dui/include/core/SEvents.h"

using EventHandler = std::function<bool(EventArgs&)>;

class SEventSet {
public:
    void AddEvent(int eventId);
    bool IsEventRegistered(int eventId) const { return events.count(eventId) != 0; }

    // A token for Unsubscribe, or 0 when the event is not registered.
    int Subscribe(int eventId, EventHandler handler);
    bool Unsubscribe(int eventId, int token);

    void SetMute(bool mute) { muted = mute; }
    bool IsMuted() const { return muted; }

    // Calls the subscribers unless muted; false when muted or the event is not registered.
    bool FireEvent(EventArgs& evt);

private:
    struct Subscriber {
        int token;
        EventHandler handler;
    };
    std::map<int, std::vector<Subscriber>> events;
    int nextToken = 1;
    bool muted = false;
};
