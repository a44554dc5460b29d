#include "support/StringResolver.h"

#include <mutex>

namespace {

std::mutex resolverMutex;
StringResolver& CurrentResolver() {
    static StringResolver resolver;
    return resolver;
}

}  // namespace

void SetStringResolver(StringResolver resolver) {
    std::lock_guard lock(resolverMutex);
    CurrentResolver() = std::move(resolver);
}

std::wstring ResolveText(const std::wstring& text) {
    StringResolver resolver;
    {
        // Call outside the lock: the resolver may take its own locks.
        std::lock_guard lock(resolverMutex);
        resolver = CurrentResolver();
    }
    return resolver ? resolver(text) : text;
}
