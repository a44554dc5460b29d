// The install service's replies as tests serve them: the setup reply that points at a manifest, and
// the manifest. Built as JSON by the JSON library, so every text arrives escaped, whatever it holds.
#pragma once

#include <string>
#include <vector>

namespace larkholm::testing {

struct ManifestEntry {
    std::string name;
    std::string downUrl;
    std::string hash;
};

// {"retcode":0,"retmsg":"ok","retdata":{"downUrl":manifestUrl,"shopId":shopId}}
std::string SetupReply(const std::string& manifestUrl, int shopId = 12);

// {"retcode":0,"retmsg":"","retdata":[{"downUrl":…,"name":…,"hash":…}, …]} in the given order.
std::string ManifestReply(const std::vector<ManifestEntry>& entries);

}  // namespace larkholm::testing
