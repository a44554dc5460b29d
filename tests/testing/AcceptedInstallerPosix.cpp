#include "tests/testing/AcceptedInstaller.h"

namespace larkholm::testing {

std::string AcceptedInstaller() {
    return std::string(100 * 1024, 'i');
}

std::string StartRecordingInstaller() {
    return "#!/bin/sh\nprintf '%s\\t%s\\n' \"$0\" \"$*\" >> \"$LARKHOLM_DEMO_START_LOG\"\n";
}

}  // namespace larkholm::testing
