#include <stdlib.h>

#include "tests/testing/Environment.h"

namespace larkholm::testing {

void SetEnv(const char* name, const char* value) {
    ::setenv(name, value, 1);
}

void UnsetEnv(const char* name) {
    ::unsetenv(name);
}

}  // namespace larkholm::testing
