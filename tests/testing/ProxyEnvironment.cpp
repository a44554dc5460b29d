#include "tests/testing/ProxyEnvironment.h"

#include <stdlib.h>

#include "tests/testing/Environment.h"

namespace larkholm::testing {
namespace {

constexpr const char* kNames[] = {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY",
                                  "all_proxy",  "ALL_PROXY",  "no_proxy",    "NO_PROXY"};

}  // namespace

ProxyEnvironment::ProxyEnvironment(const std::map<std::string, std::string>& variables) {
    for (const char* name : kNames) {
        const char* value = ::getenv(name);
        saved[name] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
        UnsetEnv(name);
    }
    for (const auto& [name, value] : variables) SetEnv(name.c_str(), value.c_str());
}

ProxyEnvironment::~ProxyEnvironment() {
    for (const auto& [name, value] : saved) {
        if (value) SetEnv(name.c_str(), value->c_str());
        else UnsetEnv(name.c_str());
    }
}

}  // namespace larkholm::testing
