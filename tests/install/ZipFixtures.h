// Archives for the ZIP reader's tests, made the way real ones are: Info-ZIP `zip` for everyday
// archives (with `unzip` as the reference for what they hold), Python's zipfile for crafted names,
// hosts and attributes, and byte patches for damage.
#pragma once

#include <string>

#include "tests/testing/TempDir.h"

namespace larkholm::testing {

// The text single-quoted for /bin/sh.
std::string ShellQuote(const std::string& text);

// Runs `command` with /bin/sh; true when it exits with 0.
bool RunShell(const std::string& command);

// Runs `body` with python3 after a prelude that opens sys.argv[1] as a new ZipFile `z` and defines
//   add(name, data=b"", system=3, attr=0o644 << 16, date=(2021, 7, 15, 13, 45, 30),
//       method=zipfile.ZIP_DEFLATED, extra=b"")
// to write one item; the prelude closes `z` after `body`. Python's zipfile writes names as given,
// so "..", drive prefixes and backslashes reach the archive untouched.
bool MakeCraftedArchive(const TempDir& scratch, const std::string& archive, const std::string& body);

// Runs `body` with python3 on the bytes of `archive` (as the bytearray `data`, written back after),
// with `struct` imported; for damaging archives.
bool PatchArchive(const TempDir& scratch, const std::string& archive, const std::string& body);

}  // namespace larkholm::testing
