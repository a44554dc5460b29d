// The wizard's process exit codes. Unattended runs (/SILENT, /VERYSILENT) and uninstalls end with
// the code of their outcome, so that a script or a deployment tool can tell what happened; the log
// (support/LogFile.h) says why. A clicked-through install ends with 0 however the operator left it,
// as it always has.
//
//   code  outcome
//   0     installed (or uninstalled)
//   1     the wizard could not open its window (no display)
//   2     bad arguments: an unknown switch, a password on the command line, no password, or a value
//         the install form refuses (its own message is in the log)
//   3     the install service refused the installation (its retcode and message are in the log)
//   4     download failed: the service could not be reached or answered nonsense, its manifest
//         listed no files, or a file did not arrive intact after every attempt
//   5     the package could not be unpacked
//   6     a prerequisite (WIC, .NET Framework 4.0) could not be downloaded or installed
//   7     cancelled: the window was closed, or the uninstall question was answered "no"
//   8     a file of the installation is in use (the log names it): the uninstall is refused, or an
//         install leaves the old package folder as it was
//   9     uninstall: no installation is registered on this machine
//   10    installed, but the entry in "Programs and Features" could not be written
//   3010  installed; a prerequisite asks for a restart before the product can run
#pragma once

enum ExitCode : int {
    kExitInstalled = 0,
    kExitNoWindow = 1,
    kExitBadArguments = 2,
    kExitRefusedByService = 3,
    kExitDownloadFailed = 4,
    kExitExtractionFailed = 5,
    kExitPrerequisiteFailed = 6,
    kExitCancelled = 7,
    kExitFilesInUse = 8,
    kExitNotInstalled = 9,
    kExitNotRegistered = 10,
    kExitRestartNeeded = 3010,
};
