// The course of one process of the wizard, from its arguments to its exit code: --help prints the
// switches and ends; otherwise the run's log is opened (app/RunLog.h), the arguments are judged
// (an unattended run or an uninstall ends with kExitBadArguments on a refused argument, an
// operator's run logs it and carries on), an unattended install reads its password
// (app/UnattendedPassword.h), and the wizard runs: on the platform's own window, or with
// /VERYSILENT on an off-screen host, so that no window ever appears. On Windows an uninstall runs in
// a temporary copy of the program (support/platform/TemporaryCopy.h), which removes the folder that
// held the original once the original has ended.
#pragma once

#include <string>
#include <vector>

int RunSetup(const std::vector<std::wstring>& arguments);
