#include "tests/testing/FileHolder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/TextConvert.h"
#include "support/platform/Process.h"
#include "tests/testing/Eventually.h"

namespace larkholm::testing {

FileHolder::FileHolder(const std::filesystem::path& file, std::uint32_t holdMs) {
    const std::uint32_t started =
        RunProgram(LARKHOLM_HOLD_FILE_EXE,
                   file.string() + " " + std::to_string(holdMs) + " " + signals.Path().string(), false);
    EXPECT_EQ(started, 0u);
    EXPECT_TRUE(started == 0 && Eventually([&] { return std::filesystem::exists(signals.Path() / "held"); }))
        << "hold-file did not take " << file.string();
}

FileHolder::~FileHolder() {
    Release();
}

bool FileHolder::Released() const {
    return !std::filesystem::exists(signals.Path() / "held");
}

bool FileHolder::Release() {
    std::ofstream(signals.Path() / "release").put('\n');
    return Eventually([&] { return Released(); });
}

bool FileHolder::NamesHolder(const std::wstring& named, const std::filesystem::path& file) {
    return named == L"hold-file" || named == L"hold-file.exe" ||
           named == AnsiToWide(file.filename().string());
}

}  // namespace larkholm::testing
