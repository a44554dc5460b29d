// Another program holding a file, as the installed program left running or a virus scanner does:
// tests/testing/holder's hold-file, started on `file` for at most `holdMs` of real time. The
// constructor returns once the file is held (a test failure when it is not); the destructor asks
// the program to let go and waits until it has, so the file can be removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "tests/testing/TempDir.h"

namespace larkholm::testing {

class FileHolder {
public:
    FileHolder(const std::filesystem::path& file, std::uint32_t holdMs);
    ~FileHolder();
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    // True once the program has let go of the file (its time is up, or Release was called).
    bool Released() const;
    // Asks the program to let go now and waits until it has; false when it did not in 30 s.
    bool Release();

    // What ProgramUsingFolder names while the file is held: the program's name where the system
    // tells it (Linux), else the name of the file.
    static bool NamesHolder(const std::wstring& named, const std::filesystem::path& file);

private:
    TempDir signals;
};

}  // namespace larkholm::testing
