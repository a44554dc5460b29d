// The certificates of the https tests, made once per CTest run by the TestAuthority fixture
// (tests/testing/make-test-certificates.sh names them: "server" for 127.0.0.1 from the trusted
// root, "wrong-host" for another name from the same root, "stranger" for 127.0.0.1 from an
// authority nothing trusts), and the system's trust in their root while the object lives.
#pragma once

#include <string>

namespace larkholm::testing {

class TestCertificates {
public:
    // Linux: names the root in SSL_CERT_FILE while it lives, as an operator with a private
    // authority does, and puts the variables back afterwards. Windows: the fixture has added the
    // root to the machine's ROOT store of the prefix (trust-root), so there is nothing to do.
    // Fails the test when the fixture has not made the certificates.
    TestCertificates();
    ~TestCertificates();
    TestCertificates(const TestCertificates&) = delete;
    TestCertificates& operator=(const TestCertificates&) = delete;

    // The certificate `name` followed by its issuer, and its key (PEM files).
    static std::string Chain(const std::string& name);
    static std::string Key(const std::string& name);
    static std::string Root();

private:
    static void ExpectMade();

    // The trust variables as they were (Linux); unused on Windows.
    [[maybe_unused]] std::string savedBundle, savedFile;
    [[maybe_unused]] bool hadBundle = false, hadFile = false;
};

}  // namespace larkholm::testing
