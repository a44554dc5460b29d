// The demo installers record every start, so tests can tell that a refused installer never ran:
// when LARKHOLM_DEMO_START_LOG names a file, one line with the program's own path, a tab and the
// arguments it was given is appended to it.
#pragma once

void RecordStart(void);
