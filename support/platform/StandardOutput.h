// The one text the wizard ever writes to standard output: its usage (--help). Everything else goes
// to the log. The Windows build is a GUI program without a console of its own, so there the text
// goes to the console of the command that started it, or to wherever its output is redirected.
#pragma once

#include <string_view>

void WriteStandardOutput(std::string_view text);
