#include <stdlib.h>

#include "tests/testing/TestCertificates.h"

namespace larkholm::testing {
namespace {

// Whether `name` is set, and its value.
bool Saved(const char* name, std::string& value) {
    const char* set = ::getenv(name);
    if (set != nullptr) value = set;
    return set != nullptr;
}

void Restore(const char* name, bool had, const std::string& value) {
    if (had)
        ::setenv(name, value.c_str(), 1);
    else
        ::unsetenv(name);
}

}  // namespace

TestCertificates::TestCertificates() {
    ExpectMade();
    hadBundle = Saved("CURL_CA_BUNDLE", savedBundle);
    hadFile = Saved("SSL_CERT_FILE", savedFile);
    ::unsetenv("CURL_CA_BUNDLE");  // it would take precedence
    ::setenv("SSL_CERT_FILE", Root().c_str(), 1);
}

TestCertificates::~TestCertificates() {
    Restore("CURL_CA_BUNDLE", hadBundle, savedBundle);
    Restore("SSL_CERT_FILE", hadFile, savedFile);
}

}  // namespace larkholm::testing
