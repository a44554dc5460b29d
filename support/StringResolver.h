// Resolving "@string/<key>" texts for code that lives below the UI framework (workers, the service
// client). The application installs the framework's resolver once at start-up, before any worker
// runs; workers then call ResolveText from their own threads. Without a resolver a text comes back
// unchanged, so a missing table shows the key rather than nothing.
#pragma once

#include <functional>
#include <string>

using StringResolver = std::function<std::wstring(const std::wstring&)>;

// Replaces the resolver; an empty function removes it. Callable from any thread.
void SetStringResolver(StringResolver resolver);

std::wstring ResolveText(const std::wstring& text);
