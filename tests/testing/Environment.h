// Changes to this process's environment for tests that steer the code through variables
// (service URLs, the time zone, the Wine prefix).
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace larkholm::testing {

void SetEnv(const char* name, const char* value);
void UnsetEnv(const char* name);

// A variable set for a scope; at its end it has its earlier value again, or is removed.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name(name) {
        if (const char* old = std::getenv(name)) earlier = old;
        SetEnv(name, value.c_str());
    }
    ~ScopedEnv() {
        if (earlier) {
            SetEnv(name, earlier->c_str());
        } else {
            UnsetEnv(name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name;
    std::optional<std::string> earlier;
};

}  // namespace larkholm::testing
