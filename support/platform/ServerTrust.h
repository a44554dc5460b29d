// What an https server's certificate is checked against: the system's trust.
//
// Linux: OpenSSL checks the chain and the host name during the handshake, against the system's CA
// bundle, or against what the operator names the way the curl tool reads it: CURL_CA_BUNDLE (a PEM
// file), else SSL_CERT_FILE (a PEM file) and SSL_CERT_DIR (a hashed folder). A named file or folder
// takes the place of the system's, it does not add to it.
//
// Windows: the Windows certificate store (the machine's and the user's ROOT and intermediate
// stores). libcurl's Schannel backend leaves the check to Schannel's own validation during the
// handshake; Wine's Schannel accepts any certificate there, unknown authority or other host alike.
// So the program checks the certificate of each connection itself, after the handshake and before
// a request goes out (CertGetCertificateChain, then the SSL policy with the host name), and does
// not depend on Schannel alone. Revocation is left to Schannel's handshake.
#pragma once

#include <string>

struct AuthorityFiles {
    std::string bundle;  // a PEM file of trusted authorities; empty: the system's
    std::string folder;  // a folder of trusted authorities in OpenSSL's hashed form; empty: the system's
};

// The authorities the operator names in the environment (Linux); nothing on Windows, whose trust
// is the certificate store.
AuthorityFiles NamedAuthorityFiles();

// Checks the certificate of an established TLS connection against the system's trust for `host`
// (a DNS name or an IP address). `tlsSession` is the TLS library's session of the connection as
// libcurl reports it: on Windows the Schannel security context (a CtxtHandle*). True when the
// server is trusted; else false, and `problem` says why. On Linux OpenSSL has checked during the
// handshake, which fails otherwise, so a connection that is established is trusted.
bool ServerCertificateTrusted(void* tlsSession, const std::string& host, std::string& problem);
