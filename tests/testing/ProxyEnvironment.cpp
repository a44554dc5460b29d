#include "tests/testing/ProxyEnvironment.h"

#include <stdlib.h>

namespace larkholm::testing {
namespace {

constexpr const char* kNames[] = {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY",
                                  "all_proxy",  "ALL_PROXY",  "no_proxy",    "NO_PROXY"};

}  // namespace

ProxyEnvironment::ProxyEnvironment(const std::map<std::string, std::string>& variables) {
    for (const char* name : kNames) {
        const char* value = ::getenv(name);
        saved[name] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
        ::unsetenv(name);
    }
    for (const auto& [name, value] : variables) ::setenv(name.c_str(), value.c_str(), 1);
}

ProxyEnvironment::~ProxyEnvironment() {
    for (const auto& [name, value] : saved) {
        if (value) ::setenv(name.c_str(), value->c_str(), 1);
        else ::unsetenv(name.c_str());
    }
}

}  // namespace larkholm::testing
