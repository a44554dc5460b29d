#include "tests/testing/AcceptedInstaller.h"

namespace larkholm::testing {

std::string AcceptedInstaller() {
    return std::string(100 * 1024, 'i');
}

}  // namespace larkholm::testing
