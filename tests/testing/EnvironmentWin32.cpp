#include <stdlib.h>

#include "support/TextConvert.h"
#include "tests/testing/Environment.h"

namespace larkholm::testing {

// _wputenv_s changes the C runtime's copy and the process environment together; an empty value
// removes the variable. Names and values are UTF-8, so a value need not fit the ANSI code page.
void SetEnv(const char* name, const char* value) {
    ::_wputenv_s(Utf8ToWide(name).c_str(), Utf8ToWide(value).c_str());
}

void UnsetEnv(const char* name) {
    ::_wputenv_s(Utf8ToWide(name).c_str(), L"");
}

}  // namespace larkholm::testing
