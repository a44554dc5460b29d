#include "support/platform/ShellOpenHandler.h"

#include <functional>
#include <mutex>

#include "support/platform/Process.h"

namespace {

std::mutex handlerMutex;
std::function<bool(const std::wstring&)> shellOpenHandler;

}  // namespace

std::optional<bool> HandToShellOpenHandler(const std::wstring& target) {
    std::lock_guard lock(handlerMutex);
    if (!shellOpenHandler) return std::nullopt;
    return shellOpenHandler(target);
}

void SetShellOpenHandler(std::function<bool(const std::wstring&)> handler) {
    std::lock_guard lock(handlerMutex);
    shellOpenHandler = std::move(handler);
}
