#include "tests/testing/TestCertificates.h"

namespace larkholm::testing {

// The prefix trusts the root from the TestAuthority fixture on.
TestCertificates::TestCertificates() {
    ExpectMade();
}

TestCertificates::~TestCertificates() = default;

}  // namespace larkholm::testing
