// The log of every run. /LOG names the file; without it each run writes a new file in the user's
// temporary folder, "larkholm-setup-<yyyymmdd>-<hhmmss>.log", and only the newest five of those
// are kept, so support can ask for the log of a run that already ended. Files of other names in the
// folder are never touched.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "support/Log.h"

constexpr std::size_t kRunLogsKept = 5;

// "larkholm-setup-20240305-140709.log" for that moment.
std::wstring RunLogFileName(const LocalTime& time);

// Deletes the oldest run logs in `folder` (by the moment in their names) until `keep` are left.
void PruneRunLogs(const std::wstring& folder, std::size_t keep);

// Opens the log of this run: `requested` (from /LOG) as it is, else a new run log in `folder`
// named after `now`, then prunes the older run logs. Returns the path of the open file,
// or empty when none could be opened (the lines then go to the debugger output only).
std::wstring StartRunLog(const std::optional<std::wstring>& requested, const std::wstring& folder,
                         const LocalTime& now);
