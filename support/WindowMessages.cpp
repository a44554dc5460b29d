#include "support/WindowMessages.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "support/platform/NativeWindow.h"

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, MessageTarget*> targets;
    std::uintptr_t nextHandle = 0x10000;  // never 0: a null handle means "no window"
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

HWND RegisterWindow(MessageTarget* target) {
    auto& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    const std::uintptr_t handle = r.nextHandle;
    r.nextHandle += 4;
    r.targets[handle] = target;
    return reinterpret_cast<HWND>(handle);
}

void UnregisterWindow(HWND window) {
    auto& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    r.targets.erase(reinterpret_cast<std::uintptr_t>(window));
}

bool IsWindowAlive(HWND window) {
    auto& r = TheRegistry();
    {
        std::lock_guard lock(r.mutex);
        if (r.targets.count(reinterpret_cast<std::uintptr_t>(window)) != 0) return true;
    }
    return IsNativeWindow(window);
}

bool PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& r = TheRegistry();
    {
        std::lock_guard lock(r.mutex);
        const auto it = r.targets.find(reinterpret_cast<std::uintptr_t>(window));
        if (it != r.targets.end()) {
            it->second->OnPosted(message, wParam, lParam);
            return true;
        }
    }
    return PostToNativeWindow(window, message, wParam, lParam);
}
