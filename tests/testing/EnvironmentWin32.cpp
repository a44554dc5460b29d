#include <stdlib.h>

#include "tests/testing/Environment.h"

namespace larkholm::testing {

// _putenv_s changes the C runtime's copy and the process environment together; an empty value
// removes the variable.
void SetEnv(const char* name, const char* value) {
    ::_putenv_s(name, value);
}

void UnsetEnv(const char* name) {
    ::_putenv_s(name, "");
}

}  // namespace larkholm::testing
