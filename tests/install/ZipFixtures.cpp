#include "tests/install/ZipFixtures.h"

#include <cstdlib>

namespace larkholm::testing {

namespace {

bool RunPython(const TempDir& scratch, const std::string& script, const std::string& archive) {
    const std::string path = scratch.WriteFile("fixture.py", script);
    return RunShell("python3 " + ShellQuote(path) + " " + ShellQuote(archive));
}

}  // namespace

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool RunShell(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

bool MakeCraftedArchive(const TempDir& scratch, const std::string& archive, const std::string& body) {
    const std::string prelude = R"(import struct, sys, zipfile
z = zipfile.ZipFile(sys.argv[1], "w")
def add(name, data=b"", system=3, attr=0o644 << 16, date=(2021, 7, 15, 13, 45, 30),
        method=zipfile.ZIP_DEFLATED, extra=b""):
    info = zipfile.ZipInfo(name, date)
    info.create_system = system
    info.external_attr = attr
    info.compress_type = method
    info.extra = extra
    z.writestr(info, data)
)";
    return RunPython(scratch, prelude + body + "\nz.close()\n", archive);
}

bool PatchArchive(const TempDir& scratch, const std::string& archive, const std::string& body) {
    const std::string prelude = R"(import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
)";
    return RunPython(scratch, prelude + body + "\nopen(sys.argv[1], \"wb\").write(data)\n", archive);
}

}  // namespace larkholm::testing
