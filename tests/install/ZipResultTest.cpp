#include <gtest/gtest.h>

#include "install/ZipResult.h"

namespace {

TEST(ZipResultTest, EveryCodeHasItsText) {
    const std::pair<ZipResult, std::wstring> cases[] = {
        {0, L"Success"},
        {0x100, L"Culdn't duplicate handle"},
        {0x200, L"Couldn't create/open file"},
        {0x700, L"Zipfile is corrupt or not a zipfile"},
        {0x1000, L"Correct password required"},
        {0x10000, L"Caller: faulty arguments"},
        {0x80000, L"Caller: mixing creation and opening of zip"},
        {0x5000000, L"Zip-bug: an internal error during flation"},
        {0x900, L"unknown zip result code"},
        {0xFFFFFFFF, L"unknown zip result code"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(ZipResultText(code), text) << std::hex << code;
}

}  // namespace
