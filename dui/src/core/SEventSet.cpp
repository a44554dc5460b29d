#include "dui/include/core/SEventSet.h"

#include <algorithm>

#include "dui/include/core/SWindow.h"

EventArgs::EventArgs(SWindow* sender) : sender(sender) {
    if (sender) {
        idFrom = sender->GetID();
        nameFrom = sender->GetName();
    }
}

void SEventSet::AddEvent(int eventId) {
    events.try_emplace(eventId);
}

int SEventSet::Subscribe(int eventId, EventHandler handler) {
    auto it = events.find(eventId);
    if (it == events.end() || !handler) return 0;
    const int token = nextToken++;
    it->second.push_back({token, std::move(handler)});
    return token;
}

bool SEventSet::Unsubscribe(int eventId, int token) {
    auto it = events.find(eventId);
    if (it == events.end()) return false;
    auto& list = it->second;
    auto found =
        std::find_if(list.begin(), list.end(), [token](const Subscriber& s) { return s.token == token; });
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

bool SEventSet::FireEvent(EventArgs& evt) {
    if (muted) return false;
    auto it = events.find(evt.GetID());
    if (it == events.end()) return false;
    // A subscriber may subscribe or unsubscribe while it runs: call a snapshot.
    const std::vector<Subscriber> snapshot = it->second;
    for (const Subscriber& s : snapshot)
        if (s.handler(evt)) ++evt.handled;
    return true;
}
