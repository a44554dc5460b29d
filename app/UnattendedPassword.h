// The shop password of an unattended install. It never comes from the command line: it is the
// first line of the /PASSWORDFILE= file (UTF-8; a byte-order mark and the line end are dropped),
// or else the value of the LARKHOLM_PASSWORD environment variable. The variable is removed from
// the environment once read, whether the file was used or not, so that no program the wizard
// starts inherits it.
#pragma once

#include <optional>
#include <string>

// The password; nothing when there is none, with the reason in `problem` (a sentence for the log
// that names the file but never holds the password).
std::optional<std::wstring> ReadUnattendedPassword(const std::optional<std::wstring>& passwordFile,
                                                   std::wstring& problem);
