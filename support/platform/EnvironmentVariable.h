// Taking a secret out of the process environment: the value is read once and the variable removed,
// so that no program started afterwards (component installers, the installed program, the desktop's
// opener) inherits it.
#pragma once

#include <optional>
#include <string>

// The value of `name` (nothing when unset or empty), after which the variable is unset.
std::optional<std::wstring> TakeEnvironmentVariable(const std::wstring& name);
