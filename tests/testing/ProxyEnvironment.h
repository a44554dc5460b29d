// Clears every proxy variable while it lives, sets the ones a test names, and puts back what it
// found when it goes, so the machine's own proxy settings never reach a test and a test's never
// outlive it.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace larkholm::testing {

class ProxyEnvironment {
public:
    explicit ProxyEnvironment(const std::map<std::string, std::string>& variables = {});
    ~ProxyEnvironment();
    ProxyEnvironment(const ProxyEnvironment&) = delete;
    ProxyEnvironment& operator=(const ProxyEnvironment&) = delete;

private:
    std::map<std::string, std::optional<std::string>> saved;
};

}  // namespace larkholm::testing
