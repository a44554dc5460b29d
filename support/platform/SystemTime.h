// The local wall-clock time, to the millisecond, for log lines.
#pragma once

#include "support/Log.h"

LocalTime CurrentLocalTime();
