// The wizard's name-id table: the marker "_name_start" and the 39 named windows of the main layout
// with ids from 65536 upwards in layout order, stored sorted by name (ordinal) so the framework
// can search it by bisection. The framework gives a window named in the layout the id from this
// table; the wizard itself refers to controls by name only.
#pragma once

#include <cstddef>

#include "dui/include/core/SNamedValue.h"

inline constexpr std::size_t kNamedIdCount = 40;
extern const SNamedIdEntry kNamedIds[kNamedIdCount];
