#include "components/LockedQueue.h"

bool LockedQueue::Push(const ComponentTask& task) {
    std::lock_guard lock(mutex);
    items.push_back(task);
    return true;
}

bool LockedQueue::TryPop(ComponentTask& task) {
    std::lock_guard lock(mutex);
    if (items.empty()) return false;
    task = std::move(items.front());
    items.pop_front();
    return true;
}

bool LockedQueue::IsEmpty() const {
    std::lock_guard lock(mutex);
    return items.empty();
}
