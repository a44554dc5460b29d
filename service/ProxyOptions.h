// Every request of the program goes through the proxy the machine's settings give
// (support/platform/ProxySettings.h), or straight to the server when they give none.
#pragma once

#include <string>

// Sets the proxy and the list of hosts reached directly on `curl` (a libcurl easy handle) for
// `url`. Always set, even when empty: libcurl would otherwise read the environment itself, with
// rules of its own, and requests would not all go the same way.
void ApplyProxySettings(void* curl, const std::string& url);
