// Changes to this process's environment for tests that steer the code through variables
// (service URLs, the time zone, the Wine prefix).
#pragma once

namespace larkholm::testing {

void SetEnv(const char* name, const char* value);
void UnsetEnv(const char* name);

}  // namespace larkholm::testing
