// A first-in first-out list of ComponentTask guarded by its own mutex: the main window pushes
// tasks on the UI thread before it starts a component worker, the worker pops them on its thread.
// Every operation may be called from any thread.
#pragma once

#include <deque>
#include <mutex>

#include "components/ComponentTask.h"

class LockedQueue {
public:
    // Appends a copy at the back; always true.
    bool Push(const ComponentTask& task);
    // Moves the front item into `task`; false (and `task` untouched) when the list is empty.
    bool TryPop(ComponentTask& task);
    bool IsEmpty() const;

private:
    mutable std::mutex mutex;
    std::deque<ComponentTask> items;
};
